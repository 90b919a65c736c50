// The dialogs of the ladder editor that core routines open in the middle of their work, and the
// rules of the number-entry dialog, which its window and its callers share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/DeviceReplace.h"
#include "editor/LadderFind.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

// What the caller puts into the go-to step dialog before its modal run.
struct NumberEntryRequest {
    std::string caption;
    std::string text;         // Edit1
    std::string stepNoLabel;  // StepNoLabel
    std::string stringLabel;  // StringLabel, empty to leave it blank
};

// What the caller reads after it.
struct NumberEntryResult {
    std::uint8_t okFlag = 0;  // 1 only for OK with a number entered
    int number = 0;
};

struct CommentEditDialog;

// TUpDnSearchForm: what to find and which way; the button that closed it.
enum class FindAction { Cancel, FindNext, FindList };
struct FindDialog {
    std::string text;
    FindKind kind = FindKind::Device;
    FindDirection direction = FindDirection::Down;
    FindAction action = FindAction::Cancel;
};

// TldrSearchForm: every place found; a double click on a row frames its place, the list staying open.
struct FindListDialog {
    std::string query;
    std::vector<FoundPlace> places;
    void rowDoubleClick(std::size_t row);
};

// TobjMaskForm: the devices to replace and by what, over the whole program or a step range. OK
// (btnOkClick) reads the fields and replaces; true when it replaced. Otherwise a box has said why
// (the fields, nothing to replace, a line that does not fit) and the dialog stays open.
struct ReplaceDialog {
    std::string from;  // X0, or a range M0-M99
    std::string to;    // the device that takes the place of the first
    bool wholeProgram = true;
    std::string firstStep;
    std::string lastStep;

    bool btnOkClick();
    std::optional<DeviceReplacement> checked;  // the fields as btnOkClick read them
};

class EditorDialogs {
public:
    static constexpr const char* seamName = "editor dialogs";
    virtual ~EditorDialogs() = default;
    // TGoToStepForm as a number-entry dialog.
    virtual NumberEntryResult goToStep(const NumberEntryRequest& request) = 0;
    // TCommentEditForm, modal; true when it closed with OK (its btnOkClick accepted the texts).
    virtual bool commentEdit(CommentEditDialog& dialog) = 0;
    // TUpDnSearchForm, modal: the dialog's fields and the button that closed it.
    virtual void find(FindDialog& dialog) = 0;
    // TldrSearchForm, modal until the user closes it; double clicks run rowDoubleClick meanwhile.
    virtual void findList(FindListDialog& dialog) = 0;
    // TobjMaskForm, modal; true when it closed with OK (its btnOkClick replaced).
    virtual bool replace(ReplaceDialog& dialog) = 0;
};

inline EditorDialogs& editorDialogs() {
    return DialogSeam<EditorDialogs>::get();
}

// Edit1 takes the digits 0 to 9 (and the editing keys below the blank); any other character is
// refused with "Character must be 0 ~ 9" under the dialog's caption, and false.
bool acceptNumberKey(char key, const std::string& caption);

// The two fields after the modal run: flag 1 and the number only when OK was pressed on a text of
// digits that makes an int; Cancel, an empty text or anything else gives flag 0 and number 0.
NumberEntryResult numberEntryResult(bool okPressed, const std::string& text);

// The longest number Edit1 holds: nine digits always fit an int.
constexpr int kNumberEntryMaxDigits = 9;

}  // namespace kestrion
