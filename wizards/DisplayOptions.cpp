#include "wizards/DisplayOptions.h"

#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

void setViewFlag(std::uint8_t bit, bool on) {
    if (on)
        ModeData.viewFlags |= bit;
    else
        ModeData.viewFlags &= static_cast<std::uint8_t>(~bit);
}

}  // namespace

void SystemSetupDialog::presetFromViewFlags() {
    doNotShowTemplatesDeclared = (ModeData.viewFlags & kViewTemplateDisclaimerOff) != 0;
    showDeviceComment = (ModeData.viewFlags & kViewDeviceComments) != 0;
    showBlockComment = (ModeData.viewFlags & kViewBlockComments) != 0;
    showCoilComment = (ModeData.viewFlags & kViewCoilComments) != 0;
}

void SystemSetupDialog::DoNotShowTemplatesDeclaredClick(bool checked) {
    doNotShowTemplatesDeclared = checked;
    setViewFlag(kViewTemplateDisclaimerOff, checked);
}

void SystemSetupDialog::ShowDeviceCommentClick(bool checked) {
    showDeviceComment = checked;
    setViewFlag(kViewDeviceComments, checked);
}

void SystemSetupDialog::ShowBlockCommentClick(bool checked) {
    showBlockComment = checked;
    setViewFlag(kViewBlockComments, checked);
}

void SystemSetupDialog::ShowCoilCommentClick(bool checked) {
    showCoilComment = checked;
    setViewFlag(kViewCoilComments, checked);
}

DeclaredLayout declaredLayout(int screenPixels, int checkBoxWidth) {
    DeclaredLayout layout;
    layout.width = screenPixels * 8 / 10;
    layout.memoWidth = layout.width - 16;
    layout.doNotAgreeLeft = layout.memoWidth * 8 / 10 + 12;
    layout.doNotAgreeWidth = layout.memoWidth * 2 / 10 - 8;
    layout.checkBoxLeft = layout.memoLeft;
    layout.checkBoxWidth = checkBoxWidth;
    layout.agreeLeft = checkBoxWidth + 4;
    layout.agreeWidth = layout.memoWidth - 4 - checkBoxWidth - 4 - layout.doNotAgreeWidth - 8;
    return layout;
}

std::string declaredText(std::uint32_t languageNo) {
    if (languageNo == 1) return "*** Tovel 所提供之應用範例程式僅供參考，本公司對使用者不負任何責任 ***";
    return "These application examples are just for reference. *Tovel Electric has no responsibility for any "
           "damage of any third-party's rights.";
}

bool showTemplateDeclared() {
    if ((ModeData.viewFlags & kViewTemplateDisclaimerOff) != 0) return true;
    DeclaredDialog dialog;
    dialog.caption = "Disclaimer ";
    dialog.layout = declaredLayout(screenWidth);
    dialog.memoLine = declaredText(ModeData.languageNo);
    wizardsDialogs().declared(dialog);
    if (dialog.bDoNotShowAgain == 1) ModeData.viewFlags |= kViewTemplateDisclaimerOff;
    return dialog.bAgree == 1;
}

}  // namespace kestrion
