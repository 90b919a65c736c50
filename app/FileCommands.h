// The File menu: New, Open, Close, Save, Save As, the recent files and Exit, and the writer of a
// program's files. Each command runs as one command transaction: when it fails the program, its
// name and the view are as they were before it.
#pragma once

#include <optional>
#include <string>

#include "app/MainCore.h"

namespace kestrion {

void New1Click();
// Opens the file the open dialog chooses, or the current name when the name-preset bit is set.
void Open1Click();
void Close1Click();
void Save1Click();
void SaveAs1Click();
// The recent-file items (kFile11 .. kFile41).
void recentFileClick(int item);
void File11Click();
void File21Click();
void File31Click();
void File41Click();
// Decides whether the process ends; appState.exitRequested tells the window.
void Exit1Click();
void PrinterSetup1Click();
void Print1Click();
void GcodeConvert1Click();

// The parts the commands are made of, for the close box and for each other.
// Close with its question; true when the program was closed (the go-ahead bit is then set).
bool closeProgram();
// Save or Save As as the program needs (unconverted edits are refused with their warning).
SaveOutcome saveProgram();
SaveOutcome saveProgramAs();
// Writes the PMW file and its companions under the current name.
SaveOutcome SaveToDisk();
// The state with a program open (New, Open and the gateway program generator alike).
void showProgramOpen();
// A program a command built in the image (a program read, the gateway program) shown as a new,
// unnamed program; see WindowSteps::showCommandBuiltProgram (link/transfer/WindowSteps.h).
[[nodiscard]] bool showCommandBuiltProgram(const std::string& loadName, const std::string& statusText);
// Opens a program; a preset name skips the open dialog unless a Close ran first.
bool openProgram(std::optional<std::string> presetName);

// Frees the program's comment, monitor and ladder lists (Timer2 stopped first).
void freeProjectLists();
// Copies a name into FileNameArray, NUL-padded; a name of 96 characters or more is refused
// (false) and the current name stays.
[[nodiscard]] bool setCurrentFileName(const std::string& name);
// The name of a new program: the folder made when missing, the last two characters of the file's
// stem replaced by the count of new names in hexadecimal. False, with a message, when the name
// would not fit.
[[nodiscard]] bool prepareNewFileName();

}  // namespace kestrion
