#pragma once

#include <string>

// Where printed documents are written and how one is kept when it does not
// go to a printer. Paths are host paths (UTF-8).

// The user's data folder's "Printouts" (see GetUserDataFolder), or
// Resources/Printouts when the user has no data folder.
std::string GetPrintoutsFolder();

// Creates the folder and any missing parents. False, with error, when it
// cannot be made.
bool MakeFolders(const std::string& folder, std::string& error);

// A file name (without ".pdf") for a printout of the named character: the
// Windows-1252 name in UTF-8 without "/", "\", "..", control bytes or
// undefined codes, without leading or trailing blanks and dots, at most 64
// bytes (never cutting a character in two); "Character" when nothing is
// left.
std::string MakePrintoutName(const std::string& name);

// Moves tempPath to folder/NAME.pdf, or NAME-2.pdf, NAME-3.pdf ... when
// that name is taken, never replacing an existing file. keptPath receives
// the file's path. False, with error, when the file cannot be moved (the
// temporary file is left to the caller).
bool KeepPrintout(const std::string& tempPath, const std::string& folder,
                  const std::string& name, std::string& keptPath, std::string& error);
