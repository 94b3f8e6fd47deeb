# Spoken hints: speech/NNNNN.txt becomes Sfx/NNNNN.wav, read aloud by
# espeak-ng at build time. Included by content/CMakeLists.txt before the
# asset index, so the hints are part of the content target.
find_program(ESPEAK_NG espeak-ng REQUIRED)
file(GLOB _speech CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/speech/*.txt)
foreach(_text ${_speech})
  get_filename_component(_name ${_text} NAME_WE)
  set(_wav ${_resources}/Sfx/${_name}.wav)
  add_custom_command(
    OUTPUT ${_wav}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_resources}/Sfx
    COMMAND ${ESPEAK_NG} -v en-gb -s 150 -p 40 -f ${_text} -w ${_wav}
    DEPENDS ${_text}
    COMMENT "Speaking ${_name}.wav"
    VERBATIM)
  list(APPEND _outputs ${_wav})
endforeach()
