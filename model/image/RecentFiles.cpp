#include "model/image/RecentFiles.h"

#include <algorithm>

#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

static_assert(kRecentFileItems == kRecentFileSlots);

const char* const kTooLongTexts[kRecentFileItems] = {
    "File11->Caption FilenameTooLong",
    "File21->Caption FilenameTooLong",
    "File31->Caption FilenameTooLong",
    "File41->Caption TooLong",
};

std::size_t indexOf(int item) {
    return static_cast<std::size_t>(item);
}

// The first '.' from the second character of the file's own name: a '.' in a folder name is not
// the start of the extension.
std::size_t extensionStart(const std::string& name) {
    const std::size_t slash = name.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return name.find('.', nameStart + 1);
}

}  // namespace

void mainFormShow() {
    FileBar1Visible = std::any_of(recentFileItems.begin(), recentFileItems.end(),
                                  [](const RecentFileItem& item) { return item.visible; });
}

void _storeOldFileToModeDat(std::int32_t /*limit*/) {
    for (int item = kFile41; item >= kFile11; --item) {
        if (storeRecentFileSlot(item, recentFileItems[indexOf(item)].path)) continue;
        platform::say({kTooLongTexts[item], "_storeOldFileToModeDat", platform::MsgIcon::None});
    }
}

void loadRecentFilesFromModeDat() {
    for (int item = kFile11; item <= kFile41; ++item) {
        RecentFileItem& target = recentFileItems[indexOf(item)];
        const std::string name = recentFileSlotText(item);
        if (name.empty()) {
            target.visible = false;
            continue;
        }
        target.caption = name;
        target.path = name;
    }
}

void updateRecentFileList(const std::string& savedName) {
    const std::string name = savedName.substr(0, savedName.find('\0'));
    // The item that already names this file, else the oldest, which drops out.
    int hit = kFile41;
    for (int item = kFile41; item >= kFile11; --item) {
        const std::string& path = recentFileItems[indexOf(item)].path;
        if (!path.empty() && path == name) {
            hit = item;
            break;
        }
    }
    for (int item = hit; item > kFile11; --item) {
        recentFileItems[indexOf(item)].caption = recentFileItems[indexOf(item - 1)].caption;
        recentFileItems[indexOf(item)].path = recentFileItems[indexOf(item - 1)].path;
    }
    recentFileItems[indexOf(kFile11)].caption = name;
    recentFileItems[indexOf(kFile11)].path = name;
}

bool storeCurrentFileName(const std::string& text, FileNameSource source) {
    std::string name = text.substr(0, text.find('\0'));
    if (source == FileNameSource::MenuCaption) {
        const auto end = std::find_if(name.begin(), name.end(),
                                      [](char c) { return c == '(' || static_cast<unsigned char>(c) < 33; });
        name.erase(end, name.end());
    }
    setFileNameArray(name);
    return name.size() < kFileNameSize;
}

void setMainCaptionWithFile(const std::string& name) {
    platform::system().setMainCaption(titleText + " - " + name.substr(0, extensionStart(name)));
}

}  // namespace kestrion
