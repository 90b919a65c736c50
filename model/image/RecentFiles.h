// The four recent-file items of the File menu (File11 newest .. File41 oldest) with their separator
// FileBar1, their slots in ModeData, and the routines that move file names between the menu, the
// record, the current file name and the main window's caption. The window mirrors this state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrion {

struct RecentFileItem {
    std::string caption;  // what the menu shows
    std::string path;     // the file the item opens: kept whole, never parsed back from the caption
    bool visible = true;
};

constexpr int kFile11 = 0;
constexpr int kFile21 = 1;
constexpr int kFile31 = 2;
constexpr int kFile41 = 3;
constexpr int kRecentFileItems = 4;
// Their object names; the window makes these items itself.
constexpr const char* kRecentFileItemNames[kRecentFileItems] = {"File11", "File21", "File31", "File41"};

extern std::array<RecentFileItem, kRecentFileItems>& recentFileItems;
extern bool& FileBar1Visible;

// The main window's show event: FileBar1 is shown when at least one recent-file item is.
void mainFormShow();

// Stores the four items in the slots of ModeData, File41 first. A name of 96 characters or more
// is stored as "*" with a message naming the item. limit is the length of the start-up name that
// every caller passes; File11 is not cut to it, since a cut path names another file.
void _storeOldFileToModeDat(std::int32_t limit);

// Fills the items from the slots: a slot with a name gives the item its name (its visibility stays);
// an empty one hides the item and leaves its caption.
void loadRecentFilesFromModeDat();

// Moves a saved file name to the top of the list; the oldest drops out when the name is new. Only
// names change, visibility does not.
void updateRecentFileList(const std::string& name);

// Where a name handed to storeCurrentFileName comes from.
enum class FileNameSource {
    FileName,     // a dialog result or a held file name: kept whole (paths may hold blanks)
    MenuCaption,  // a menu caption with a note behind the name: cut before '(' or a blank
};

// Copies a name into FileNameArray, NUL-padded. Returns false when it had to be cut to fit the 95
// characters of the buffer.
[[nodiscard]] bool storeCurrentFileName(const std::string& text,
                                        FileNameSource source = FileNameSource::FileName);

// The main window's caption: the title, " - " and the name without its extension.
void setMainCaptionWithFile(const std::string& name);

}  // namespace kestrion
