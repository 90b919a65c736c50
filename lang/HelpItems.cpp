#include "lang/HelpItems.h"

#include "lang/Texts.h"
#include "model/core/MainState.h"
#include "platform/Services.h"

namespace kestrion {

void setSoftwareVersion(const std::string& version) {
    titleText = "Kestrion " + version;
}

void screenResolution1Click() {
    const platform::ScreenSize size = platform::system().screenSize();
    screenWidth = size.width;
    screenHeight = size.height;
    platform::statusBar().setPanelText(
        0, "Screen Resolution=" + intToAnsiString(screenWidth) + "*" + intToAnsiString(screenHeight));
}

AboutBox aboutBox() {
    return {textOf("AboutCaption"), titleText, textOf("AboutPurpose"), textOf("AboutMaker"),
            textOf("AboutOk")};
}

void About1Click() {
    langDialogs().about(aboutBox());
}

}  // namespace kestrion
