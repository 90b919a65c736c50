// The files the wizards read beside the program: example programs, pictures, the flow-chart
// programs. Tables name them by a path relative to the installation folder, written with '\' as on
// the systems the files come from. The program's own data folder is looked in first (the files
// shipped with it), then the installation folder (files the user added).
#pragma once

#include <string>
#include <string_view>

namespace kestrion {

// "\FLC\G06Flc150908.jpg" -> "FLC/G06Flc150908.jpg".
std::string relativeDataPath(std::string_view tablePath);

// The full name of a table's file: under the data folder when it is there, else under the
// installation folder (where it may be missing too; the caller's open reports that).
std::string dataFilePath(std::string_view tablePath);

// Whether a path names a file in the program's own data folder (links and ".." followed): those
// are the shipped examples, which nothing writes over.
bool isInDataFolder(const std::string& path);

// Opens a file or program with the desktop's handler. A missing one is named in a box ("Open File
// Error") and nothing starts. False when nothing was started.
bool openWithDesktop(const std::string& path);

}  // namespace kestrion
