// The template disclaimer (TDeclaredForm1) and the Options dialog (TSystemSetupForm). Both work on
// viewFlags of the settings record: the disclaimer's "Do not show again" and the Options dialog's
// check boxes set its bits at once, and the settings file keeps them when it is next written.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

// The rules of the Options dialog: each check box writes its bit of viewFlags as it is clicked.
class SystemSetupDialog {
public:
    bool doNotShowTemplatesDeclared = false;
    bool showDeviceComment = false;
    bool showBlockComment = false;
    bool showCoilComment = false;

    // The boxes as viewFlags has them.
    void presetFromViewFlags();
    void DoNotShowTemplatesDeclaredClick(bool checked);
    void ShowDeviceCommentClick(bool checked);
    void ShowBlockCommentClick(bool checked);
    void ShowCoilCommentClick(bool checked);
};

// Where the disclaimer's parts go for a screen width (pixels; the check box keeps its design width).
struct DeclaredLayout {
    int width = 0;
    int memoLeft = 4;
    int memoWidth = 0;
    int doNotAgreeLeft = 0;
    int doNotAgreeWidth = 0;
    int checkBoxLeft = 4;
    int checkBoxWidth = 0;
    int agreeLeft = 0;
    int agreeWidth = 0;
};
constexpr int kDeclaredCheckBoxWidth = 148;
DeclaredLayout declaredLayout(int screenPixels, int checkBoxWidth = kDeclaredCheckBoxWidth);

// The rules of the disclaimer.
class DeclaredDialog {
public:
    std::string caption = "Disclaimer declared";
    std::string memoLine;
    DeclaredLayout layout;
    std::uint8_t bAgree = 0;
    std::uint8_t bDoNotShowAgain = 0;

    void btnAgreeClick() { bAgree = 1; }
    void btnDoNotAgreeClick() { bAgree = 0; }
    void CheckBox1Click(bool checked) { bDoNotShowAgain = checked ? 1 : 0; }
};

// The disclaimer's one line: Traditional Chinese for language 1, English for any other.
std::string declaredText(std::uint32_t languageNo);

// True when a template may be opened: the disclaimer is switched off, or the user agreed. "Do not
// show again" switches it off whatever the answer.
bool showTemplateDeclared();

}  // namespace kestrion
