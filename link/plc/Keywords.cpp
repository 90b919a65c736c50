#include "link/plc/Keywords.h"

#include <algorithm>
#include <cctype>

#include "lang/Language.h"
#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/Frames.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/PlcDialogs.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/EditorState.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kReplyTicks = 10;
constexpr std::uint16_t kFirstVersionWithUserId = 24132;

void wipeText(std::string& text) {
    std::fill(text.begin(), text.end(), '\0');
    text.clear();
}

bool isBlank(const Password& word) {
    return std::all_of(word.begin(), word.end(), [](char c) { return c == ' '; });
}

// Eight blanks, or eight characters 0-9 and A-F.
bool isValidKeyword(const Password& word) {
    return isBlank(word) || std::all_of(word.begin(), word.end(), isHexDigit);
}

// Takes an edit's text of exactly 8 characters.
bool takeEight(const std::string& text, Password& into) {
    if (text.size() != kPasswordSize) return false;
    std::copy(text.begin(), text.end(), into.begin());
    return true;
}

Password projectKeyword() {
    return keywordOfBlock(pmw.parameterBlock.data());
}
Password plcKeyword() {
    return keywordOfBlock(VirtualProg.data());
}

bool isExtendedType(std::uint16_t type) {
    return type == 2 || type == 5 || type == 7;
}

// The characters of a password, each as its two hex digits.
std::string passwordDigits(const Password& word) {
    std::string digits;
    for (char c : word) digits += hexText(static_cast<std::uint8_t>(c), 2);
    return digits;
}

bool answered() {
    return (rs.status & (kRsWaiting | kRsNak)) == 0;
}

// A frame that may carry a password: the trace shows stars, and the command text is wiped.
bool sendMasked(std::string command, bool waitTicks) {
    if (refusedAsBusy()) return false;
    MaskedTrace masked;
    if (sendCommandFrame(command) == LinkOutcome::Done) {
        if (waitTicks)
            _waitRsReply(kReplyTicks);
        else
            gblDELAY(rs.timeOut);
    }
    wipeText(command);
    return answered();
}

// The "Keyword setting" dialog: the old keyword is asked (and must match) when one is set. True
// when it closed with a good new keyword.
bool askKeywordChange(PlcKeywordDialog& dialog, const Password& stored, bool keywordSet) {
    dialog.storedKeyword = stored;
    dialog.checkOld = keywordSet ? 1 : 0;
    dialog.oldEnabled = keywordSet;
    dialog.caption = "Keyword setting";
    plcDialogs().plcKeyword(dialog);
    requestLadderRedraw();
    return dialog.accepted();
}

}  // namespace

// ---- The dialog ----------------------------------------------------------------------------------

PlcKeywordDialog::~PlcKeywordDialog() {
    wipe();
    storedKeyword.fill('\0');
}

void PlcKeywordDialog::wipe() {
    wipeText(edit1);
    wipeText(edit2);
}

bool PlcKeywordDialog::btnOkClick() {
    for (std::string* edit : {&edit1, &edit2})
        std::transform(edit->begin(), edit->end(), edit->begin(),
                       [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (checkOld != 0 && !takeEight(edit1, rs.oldKeyword)) {
        okPressed = 0;
        platform::say({"Old keyword must be 8 characters", "Error Message", platform::MsgIcon::Error});
        return false;
    }
    if (edit2.empty()) {
        rs.newKeyword.fill(' ');
    } else if (!takeEight(edit2, rs.newKeyword)) {
        okPressed = 0;
        platform::say({"New keyword must be 8 characters", "Error Message", platform::MsgIcon::Error});
        return false;
    }
    // A character other than 0-9 and A-F keeps the dialog open with what was typed, as a wrong
    // length does: closing it would throw the typing away and end the command as cancelled.
    if (!isValidKeyword(rs.newKeyword)) {
        okPressed = 0;
        keywordError = 1;
        platform::say(
            {"Keyword is 8 characters, 0~9 or A~F only", "Keyword Error", platform::MsgIcon::Warning});
        return false;
    }
    okPressed = 1;
    keywordError = 0;
    return true;
}

void PlcKeywordDialog::btnCancelClick() {
    okPressed = 0;
    keywordError = 0;
}

PasswordCommand::~PasswordCommand() {
    for (Password* word : {&rs.oldKeyword, &rs.newKeyword, &rs.userId, &rs.productId}) word->fill('\0');
    // While another request waits, this command sent nothing, and the buffers hold that request's
    // frame and the reply coming in.
    if (!linkBusy()) wipeFrameBuffers();
}

// ---- Tests and frames ------------------------------------------------------------------------------

bool isPlcKeywordSet(bool fromProject) {
    return !isBlank(fromProject ? projectKeyword() : plcKeyword());
}

Password keywordOfBlock(const std::uint8_t* block) {
    Password word{};
    std::copy_n(block + kParamKeywordOffset, kPasswordSize, word.begin());
    return word;
}

bool askPlcKeyword(bool fromProject) {
    return askKeyword(fromProject ? projectKeyword() : plcKeyword(), fromProject);
}

bool askKeyword(const Password& stored, bool projectMessage) {
    PasswordCommand wiped;
    PlcKeywordDialog dialog;
    dialog.caption = "Keyword";
    dialog.newEnabled = false;
    dialog.checkOld = 1;
    dialog.storedKeyword = stored;
    plcDialogs().plcKeyword(dialog);
    if (!dialog.accepted()) return false;
    if (rs.oldKeyword != dialog.storedKeyword) {
        platform::say({projectMessage ? "Error2018040230..." : "Error2018040231...", "Keyword Error...",
                       platform::MsgIcon::Warning});
        return false;
    }
    return true;
}

bool confirmKeywordChange(const Password& programKeyword) {
    Password program = programKeyword;
    Password plc = plcKeyword();
    const bool same = program == plc;
    const bool programHasOne = !isBlank(program);
    const bool plcHasOne = !isBlank(plc);
    program.fill('\0');
    plc.fill('\0');
    if (same) return true;
    const std::string question = !programHasOne ? getMsgWriteRemovesKeyword()
                                 : plcHasOne    ? getMsgWriteReplacesKeyword()
                                                : getMsgWriteSetsKeyword();
    return platform::askYesNo({question, "Write Program", platform::MsgIcon::Question},
                              platform::MsgButtons::YesNoDefaultNo);
}

bool isUserIdSet() {
    return D8Kreg[104] != 0 && D8Kreg[105] != 0;
}

bool writePlcKeyword() {
    platform::statusBar().setPanelText(0, "Write Keyword To Controller [##]");
    const std::string head = isExtendedType(pmw.plcType()) ? "E11" : "1";
    return sendMasked(head + "800808" + passwordDigits(rs.newKeyword), true);
}

bool writeUserId() {
    return sendMasked("6F6Id2" + passwordDigits(rs.userId), true);
}

bool writeProductId1() {
    PasswordCommand wiped;  // the service tool that filled rs.productId is done with it
    return sendMasked("6F6Id1" + passwordDigits(rs.productId), true);
}

bool setKeyword2() {
    return sendMasked("6F7Key2", true);
}

bool deleteKeyword2() {
    return sendMasked("6F8Key2", false);
}

// ---- The commands ----------------------------------------------------------------------------------

void KeywordSetup1Click() {
    PasswordCommand wiped;
    runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        requireSystemBlock(0);
        readParameterBlock(false);
        const bool plcHasKeyword = isPlcKeywordSet(false);
        PlcKeywordDialog dialog;
        if (!askKeywordChange(dialog, plcKeyword(), plcHasKeyword)) return;
        if (plcHasKeyword && rs.oldKeyword != dialog.storedKeyword)
            failCommand({"Old Keyword Error", "Error2018040234", platform::MsgIcon::Warning});
        if (writePlcKeyword())
            platform::statusBar().setPanelText(0, "Write Keyword [Ok]");
        else
            platform::say(
                {"Can't write keyword to controller...", "Error2018032048", platform::MsgIcon::Warning});
    });
}

namespace {

// The old ID is eight hex digits, as the new one. The pairs are read with any other character
// counted as 0, so without this 1234567Z would pass for 12345670.
bool oldUserIdReadable() {
    if (std::all_of(rs.oldKeyword.begin(), rs.oldKeyword.end(), isHexDigit)) return true;
    platform::say({"Keyword is 8 characters, 0~9 or A~F only", "Keyword Error", platform::MsgIcon::Warning});
    return false;
}

// Any of the four bytes of the old ID that differs from the PLC's (D8105 high and low, then D8104)
// refuses it.
bool oldUserIdMatches(std::uint16_t d8105, std::uint16_t d8104) {
    const std::uint8_t expected[] = {static_cast<std::uint8_t>(d8105 >> 8), static_cast<std::uint8_t>(d8105),
                                     static_cast<std::uint8_t>(d8104 >> 8), static_cast<std::uint8_t>(d8104)};
    for (std::size_t i = 0; i < 4; ++i)
        if (_dllAsciiConvToHex(rs.oldKeyword[2 * i], rs.oldKeyword[2 * i + 1]) != expected[i]) return false;
    return true;
}

}  // namespace

void SetupUserId1Click() {
    PasswordCommand wiped;
    const std::uint16_t type = pmw.plcType();
    if (type != 2 && type != 5) {
        platform::say({getMsgWSeriesOnly(), "Msg2019042810", platform::MsgIcon::None});
        return;
    }
    runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        requireSystemBlock();
        readParameterBlock(false);
        const std::uint16_t d8104 = D8Kreg[104];
        const std::uint16_t d8105 = D8Kreg[105];
        if (D8Kreg[1] < kFirstVersionWithUserId)
            failCommand({"This version no UserIdNo", "Msg20190506", platform::MsgIcon::None});
        const bool idSet = isUserIdSet();
        PlcKeywordDialog dialog;
        dialog.checkOld = idSet ? 1 : 0;
        dialog.oldEnabled = idSet;
        dialog.caption = "UserID setting";
        dialog.label1 = "Old User ID";
        dialog.label2 = "New User ID";
        plcDialogs().plcKeyword(dialog);
        if (!dialog.accepted()) return;
        rs.userId = rs.newKeyword;
        if (idSet && !oldUserIdReadable()) {
            requestLadderRedraw();
            abandonCommand();
        }
        if (idSet && !oldUserIdMatches(d8105, d8104)) {
            platform::say({"Old Id Error", "Error2019040234", platform::MsgIcon::Warning});
            requestLadderRedraw();
            abandonCommand();
        }
        readParameterBlock(false);
        writeUserId();  // its outcome is not reported
    });
}

void Keyword2Setup1Click() {
    PasswordCommand wiped;
    if (!platform::askYesNo({getMsgKeyword2Confirm(), "Msg18032114", platform::MsgIcon::Question})) return;
    runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        requireSystemBlock();
        requireTypeMatch({getMsgTypeErrorCantWrite(), "Error2018032110", platform::MsgIcon::None});
        if (pmw.plcType() != 2)
            failCommand({getMsgCantSetKeyword2(), "Msg18032116", platform::MsgIcon::None});
        readParameterBlock(false);
        if (setKeyword2())
            platform::say({getMsgKeyword2SetupOk(), "Msg18032115", platform::MsgIcon::None});
        else
            platform::say({getMsgKeyword2SetupFailed(), "Msg18032116", platform::MsgIcon::None});
    });
}

namespace {

// The keyword of the project file (its parameter block and the PLC copy of it).
void changeProjectKeyword() {
    PasswordCommand wiped;
    const bool keywordSet = isPlcKeywordSet(true);
    PlcKeywordDialog dialog;
    if (!askKeywordChange(dialog, projectKeyword(), keywordSet)) return;
    if (keywordSet && rs.oldKeyword != dialog.storedKeyword) {
        platform::say({"Old Keyword Error...", "Error2018040235", platform::MsgIcon::Warning});
        requestLadderRedraw();
        return;
    }
    const auto stored = pmw.parameterBlock.begin() + kParamKeywordOffset;
    const bool changed = !std::equal(rs.newKeyword.begin(), rs.newKeyword.end(), stored);
    std::copy(rs.newKeyword.begin(), rs.newKeyword.end(), stored);
    std::copy(rs.newKeyword.begin(), rs.newKeyword.end(), VirtualProg.begin() + kParamKeywordOffset);
    if (changed) markOpenProgramModified();
}

}  // namespace

void KeywordSetting1Click() {
    runCommand(changeProjectKeyword);
}

}  // namespace kestrion
