// The service tools of the PLC menu's "Hareware check": the board ("PCB") and memory ("FRAM")
// self-tests, started by forcing M8025 or M8027 and judged by D8061 (0 = pass); the product ID
// (D8058, D8059) written as 8 decimal digits; keyword2 deleted; the three run together; and the
// rules of TPcbCheckForm, which runs the same with coloured result labels and a memo.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "lang/MenuTable.h"

namespace kestrion {

enum class SelfTest { Board, Memory };
// Verdict of a self-test; None when it ended before D8061 was read (its box has been shown).
enum class SelfTestVerdict { None, Pass, Fail };

// The test on the connected PLC: connection, type check, status byte (STOP first when it reads 9),
// the force, a 1000 ms pause and the D8061 read. The port is closed at its end.
SelfTestVerdict runSelfTest(SelfTest test);

// D8058 and D8059 as the service tools show them: each at least 4 hex digits of its signed value.
std::string productIdText();

// The colours of TPcbCheckForm's result labels: idle, running, pass or done, failure.
enum class LabelColour { White, Yellow, Teal, Red };

struct ResultLabel {
    std::string text;
    LabelColour colour = LabelColour::White;
};

class PcbCheckDialog {
public:
    std::string caption = "Hareware Check";
    // btnPcbLabel, btnFramLabel, btnProductIdLabel.
    std::array<ResultLabel, 3> labels{};
    std::vector<std::string> memo;  // PcbCheckMemo1
    // Called whenever a label or the memo changed, so the window shows it during the waits.
    std::function<void()> changed;

    void FormShow();
    void btnPCBClick();
    void btnFRAMClick();
    void btnProductIdClick();
    void btnCheckAllClick();

private:
    void runTest(SelfTest test);
    void setLabel(std::size_t label, const char* text, LabelColour colour);
    void addLine(const std::string& line);
};

// PLC > Hareware check: PcbCheck..., PcbFRAMPid, PCB, FRAM, the product ID, Keyword2 Delete.
void PcbCheck1Click();
void PcbFRAMPid1Click();
void PCB1Click();
void FRAM1Click();
void ProductId1Click();
void Keyword2Delete1Click();

// The Hareware check items and the xRS item of the data intercept terminal.
MenuTable serviceMenuRows();

}  // namespace kestrion
