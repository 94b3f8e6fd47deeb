#pragma once

// Names every screen source shares: the layout keywords and the screen
// layouts, in the order the program has always listed them.
namespace VelLayout
{
inline constexpr const char* kEndDisplayObjects = "EndDisplayObjects";
inline constexpr const char* kEndSounds = "EndSounds";
inline constexpr const char* kEndChildren = "EndChildren";
inline constexpr const char* kEndItems = "EndItems";
inline constexpr const char* kMouseOverMessage = "UIMouseOverMessage";

inline constexpr const char* kStartMenu = "velStartMenu.ui";
inline constexpr const char* kCharSetup = "velCharSetup.ui";
inline constexpr const char* kCharConfig = "velCharConfig.ui";
inline constexpr const char* kRoller = "velRoller.ui";
inline constexpr const char* kSelectTarget = "velSelectTarget.ui";
inline constexpr const char* kGameMenu = "velGameMenu.ui";
inline constexpr const char* kCharacterType = "velCharacterType.ui";
inline constexpr const char* kAbilities = "velAbilities.ui";
inline constexpr const char* kSkills = "velSkills.ui";
inline constexpr const char* kFeats = "velFeats.ui";
inline constexpr const char* kLanguage = "velLanguage.ui";
inline constexpr const char* kSpecial = "velSpecial.ui";
inline constexpr const char* kGod = "velGod.ui";
inline constexpr const char* kSchool = "velSchool.ui";
inline constexpr const char* kSpell = "velSpell.ui";
inline constexpr const char* kAnimal = "velAnimal.ui";
inline constexpr const char* kInventory = "velInventory.ui";
inline constexpr const char* kEquip = "velEquip.ui";
inline constexpr const char* kNotes = "velNotes.ui";
inline constexpr const char* kSkillItem = "velSkillITem.ui";
inline constexpr const char* kFileDialog = "velFileDialog.ui";
inline constexpr const char* kMessageDialog = "velMessageDialog.ui";

// Opened by the client only, not shared.
inline constexpr const char* kWinInfo = "velWinInfo.ui";
inline constexpr const char* kMovieWindow = "velMovieWindow.ui";
inline constexpr const char* kCreditsWindow = "velCreditsWindow.ui";
} // namespace VelLayout
