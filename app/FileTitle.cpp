#include "app/FileTitle.h"

#include <algorithm>

#include "app/AppDialogs.h"
#include "lang/CodePage.h"
#include "model/core/MainState.h"
#include "model/image/FileExtensions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

std::string programTitle(const PmwImage& image) {
    const auto begin = image.pmwPre.begin() + kPreTitleOffset;
    const auto end = begin + kPreTitleSize;
    return std::string(begin, std::find(begin, end, std::uint8_t{0}));
}

void setProgramTitle(PmwImage& image, const std::string& title) {
    const auto begin = image.pmwPre.begin() + kPreTitleOffset;
    std::fill_n(begin, kPreTitleSize, std::uint8_t{0});
    const std::size_t kept = std::min(title.size(), kFileTitleStored);
    std::transform(title.begin(), title.begin() + static_cast<std::ptrdiff_t>(kept), begin,
                   [](char c) { return static_cast<std::uint8_t>(c); });
}

bool editFileTitle(const std::string& caption, PmwImage& image) {
    // A name too long for the extension keeps the one it has; the dialog only shows it.
    static_cast<void>(setFileExtPmw(FileNameArray));
    const std::string kept = programTitle(image);
    const FileTitleResult result =
        appDialogs().fileTitle({caption, currentFileName(), kept, kFileTitleEditLength});
    if (!result.ok) return false;
    if (result.title == kept) return true;
    // A typed title is kept in the code page of the interface language, as the file's comments are.
    const CodePageText title = textToCodePage(result.title, kFileTitleStored);
    if (title.unwritable) {
        platform::say(
            {"The program title holds a character that the code page of the interface language cannot keep.",
             caption, platform::MsgIcon::Warning});
        return false;
    }
    setProgramTitle(image, title.bytes);
    return true;
}

}  // namespace kestrion
