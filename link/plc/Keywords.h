// The PLC's passwords: the keyword (8 characters 0-9 and A-F at PLC address 0x8008, eight blanks
// for none), the keyword2 and the user ID (D8105 high word, D8104 low word, typed as 8 hex
// digits); the keyword question of the transfers and the commands that set them. Passwords never
// reach the trace and are wiped from the link's buffers after every command.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/line/CommRecord.h"

namespace kestrion {

using Password = std::array<char, kPasswordSize>;

// The rules of TplcKeywordForm, the one dialog of the keyword, user ID and keyword question
// commands. The opener fills the fields, the window shows them and hands back the edits' texts.
class PlcKeywordDialog {
public:
    PlcKeywordDialog() = default;
    ~PlcKeywordDialog();
    PlcKeywordDialog(const PlcKeywordDialog&) = delete;
    PlcKeywordDialog& operator=(const PlcKeywordDialog&) = delete;

    std::string caption = "Keyword Setting";
    std::string label1 = "Old Keyword";
    std::string label2 = "New Keyword";
    bool oldEnabled = true;  // Label1 and Edit1
    bool newEnabled = true;  // Label2 and Edit2
    std::string edit1;       // the edits force upper case
    std::string edit2;
    std::uint8_t okPressed = 0;
    std::uint8_t keywordError = 0;  // the new value failed the character check
    std::uint8_t checkOld = 0;      // the old value is asked and must be given
    Password storedKeyword{};

    // Takes the edits into rs.oldKeyword and rs.newKeyword. False: a length or a character of the
    // new keyword is wrong, the dialog stays open with its texts. True: it closes, accepted.
    bool btnOkClick();
    void btnCancelClick();
    bool accepted() const { return okPressed == 1 && keywordError == 0; }
    // Overwrites the edits' texts; the stored keyword goes with the dialog.
    void wipe();
};

// The password buffers of rs and the frame and reply buffers are wiped when it ends; the frame and
// reply buffers not while another request waits for its reply.
class PasswordCommand {
public:
    PasswordCommand() = default;
    ~PasswordCommand();
    PasswordCommand(const PasswordCommand&) = delete;
    PasswordCommand& operator=(const PasswordCommand&) = delete;
};

// True unless the 8 keyword bytes of the project's parameter block (or of VirtualProg) are blanks.
bool isPlcKeywordSet(bool fromProject);
// The keyword question; true when the user typed the project's (or the PLC's) keyword.
bool askPlcKeyword(bool fromProject);
// The same against a given keyword, refused with the project's (or the PLC's) message: a block
// read from the PLC that is to become the project's.
bool askKeyword(const Password& stored, bool projectMessage);
// Before a program write puts the program's parameter block into the PLC: when the keyword of the
// block it writes differs from the PLC's (VirtualProg), the question says what the write does to
// the PLC's protection, No the default. True when the keywords are the same or the user chose Yes.
bool confirmKeywordChange(const Password& programKeyword);
// The keyword of a 92-byte parameter block.
Password keywordOfBlock(const std::uint8_t* block);
// D8104 and D8105 of the special-register image both nonzero.
bool isUserIdSet();

// Each sends its frame and is true when neither the time-out nor the NAK bit is set afterwards.
bool writePlcKeyword();  // rs.newKeyword to 0x8008
bool writeUserId();      // rs.userId
bool writeProductId1();  // rs.productId
bool setKeyword2();
bool deleteKeyword2();

// PLC > "Keyword setup", "UserID setup", "Keyword2 setup"; Option > "Keyword setting ..." (the
// program's own keyword: a new one marks the open program modified).
void KeywordSetup1Click();
void SetupUserId1Click();
void Keyword2Setup1Click();
void KeywordSetting1Click();

}  // namespace kestrion
