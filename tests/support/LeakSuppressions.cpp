// fontconfig leaks a few hundred bytes while it parses its configuration,
// once per process (the stack ends inside the library, as it has no frame
// pointers); libdbus keeps what a failed X11 autolaunch allocated, when SDL
// looks for the session bus while DISPLAY names no server. The program's
// smoke tests suppress both the same way (tests/smoke/lsan.supp); the
// sanitizer asks every test program for this list, and other programs never
// call it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
