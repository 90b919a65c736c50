// What the user changes in a saved program's data is asked about before the program goes, and the
// save keeps it: every place that changes what a save writes, tried as a technician would, each
// from a program just saved. What changes nothing (a refused value, a cancelled dialog, a value
// typed over with itself) asks nothing.
#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/FileTitle.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "link/plc/Keywords.h"
#include "link/transfer/RegisterView.h"
#include "model/image/DmwImage.h"
#include "model/image/MonitorLists.h"
#include "model/image/PmwFile.h"
#include "monitor/AddressLists.h"
#include "monitor/MonitorFixture.h"
#include "wizards/SettingCommands.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;

const std::string kProgram = "/p/Line.PMW";
const std::string kDcn = "/p/Line.DCN";
const std::string kExitQuestion = "Do you want to save current file before exit ? | Exit | question";
const std::string kDescription(94, 'd');

// The register view's grid with one cell typed over (row 1, column 5 is D4).
std::function<std::string(int, int)> typedAtD4(const std::string& text) {
    return
        [text](int row, int column) { return row == 1 && column == 5 ? text : regViewCellText(row, column); };
}

class UnsavedChangesTest : public MonitorTest {
protected:
    UnsavedChangesTest() {
        mainFormStartUp();
        useType(5);
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t n) {
            return PlcTypeFormResult{1, n, type};
        };
        linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
    }
    void open() {
        appDialogs.openAnswers.push_back({true, kProgram});
        Open1Click();
    }
    // LD X0, OUT Y0, END on a q3 of 8K with D10 and D11 monitored, saved with its four files.
    void openSavedProgram() {
        PmwImage image;
        image.pmwPre = pmwPreTemplate(5);
        image.parameterBlock = parameterTemplate(5);
        image.setMemSizeCode(8);
        image.program.fill(kEmptyWord);
        image.program[0] = 0x2400;
        image.program[1] = 0xC500;
        image.program[2] = kEndCode;
        setProgramTitle(image, "Line");
        fakes.files.files.clear();
        fakes.files.put(kProgram, pmwFileBytes(image));
        open();
        registerRuns({{"D10", "2"}});
        btnMonDeviceCloseClick();
        Save1Click();
        fakes.messages.shown.clear();
    }
    // File > Open again with a DCN file beside the program, its COW file there or not.
    void reopenWithDcn(bool cow) {
        Close1Click();
        if (!cow) fakes.files.remove("/p/Line.COW");
        std::vector<std::uint8_t> dcn(512, ' ');
        std::copy(kDescription.begin(), kDescription.end(), dcn.begin() + 256);
        fakes.files.put(kDcn, dcn);
        open();
    }
    static std::vector<std::string> monitoredDevices() {
        std::vector<std::string> names;
        for (const deviceMonitorNode* node = deviceMonitorList.head; node != nullptr; node = node->next)
            names.push_back(nodeName(*node));
        return names;
    }
    // The files a save writes.
    std::vector<std::vector<std::uint8_t>> programFiles() const {
        std::vector<std::vector<std::uint8_t>> contents;
        for (const char* ext : {"PMW", "DMW", "COW", "EDM"})
            contents.push_back(fakes.files.content("/p/Line." + std::string(ext)));
        return contents;
    }
    std::string keyword() const {
        return std::string(pmw.parameterBlock.begin() + 8, pmw.parameterBlock.begin() + 16);
    }

    FakeAppDialogs appDialogs;
    InstalledDialogs<AppDialogs> appDialogsInstalled_{appDialogs};
    MainWindowSteps mainWindow;
    InstalledDialogs<WindowSteps> mainWindowInstalled_{mainWindow};
};

struct Change {
    const char* place;
    std::function<void()> change;
    // After Yes to the question and the program opened again; none where nothing changed: Exit
    // asks nothing then, and the files stay as saved.
    std::function<bool()> kept;
};

TEST_F(UnsavedChangesTest, EachChangeIsAskedAboutAtExitAndSavedAndWhatChangesNothingAsksNothing) {
    const Change changes[] = {
        {"register view",
         [] {
             RegisterView1Click();
             btnRegViewUpdateClick(typedAtD4("555"));
         },
         [] { return dmwRegister(4) == 555; }},
        {"parameter setting: 16K",
         [this] {
             linkDialogs.parameterScript = [](ParameterDialog& dialog) {
                 dialog.capacityButtonClick(3);
                 dialog.btnOkClick();
             };
             parameterSetting1Click();
         },
         [] { return pmw.memSizeCode() == 16; }},
        {"type change: q2",
         [this] {
             modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) {
                 return PlcTypeFormResult{1, 8, 7};
             };
             plcTypeChange1Click();
         },
         [] { return pmw.plcType() == 7; }},
        {"type change: 16K",
         [this] {
             modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) {
                 return PlcTypeFormResult{1, 16, 5};
             };
             plcTypeChange1Click();
         },
         [] { return pmw.memSizeCode() == 16; }},
        {"keyword setting",
         [this] {
             linkDialogs.keywordEntries = {{"", "ABCD1234"}};
             KeywordSetting1Click();
         },
         [this] { return keyword() == "ABCD1234"; }},
        {"title typed at Open",
         [this] {
             Close1Click();
             appDialogs.titleAnswers.push_back({true, "Mixer line 3"});
             open();
         },
         [] { return programTitle(pmw) == "Mixer line 3"; }},
        {"description of a DCN file without a COW file",
         [this] {
             reopenWithDcn(false);
             EXPECT_TRUE(fakes.files.exists(kDcn));  // nowhere else yet
         },
         [this] { return appState.dcnMemo == kDescription && !fakes.files.exists(kDcn); }},
        {"device registered", [this] { registerRuns({{"X3"}}); },
         [] {
             return monitoredDevices() == std::vector<std::string>{"D10", "D11", "X3"};
         }},
        {"device moved",
         [] {
             EnterDeviceMonitor1Click();
             deviceMonitorList.selected = deviceMonitorList.tail;
             btnMonDeviceMoveUpClick();
         },
         [] {
             return monitoredDevices() == std::vector<std::string>{"D11", "D10"};
         }},
        {"device deleted",
         [] {
             EnterDeviceMonitor1Click();
             deviceMonitorList.selected = deviceMonitorList.head;
             btnDeleteTheDeviceClick();
         },
         [] { return monitoredDevices() == std::vector<std::string>{"D11"}; }},
        {"every device deleted",
         [] {
             EnterDeviceMonitor1Click();
             btnDeleteAllDevicesClick();
         },
         [] { return monitoredDevices().empty(); }},
        // What leaves the program's data as it was.
        {"register view: every cell as shown",
         [] {
             RegisterView1Click();
             btnRegViewUpdateClick(regViewCellText);
         },
         nullptr},
        {"register view: a refused cell",
         [this] {
             RegisterView1Click();
             btnRegViewUpdateClick(typedAtD4("55x"));
             EXPECT_EQ(boxes(),
                       Boxes{"D4: \"55x\" is not written; the cell takes 0 ~ 65535 | Ladder Editor | error"});
         },
         nullptr},
        {"parameter setting cancelled",
         [this] {
             linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnCancelClick(); };
             parameterSetting1Click();
         },
         nullptr},
        {"parameter setting: OK as it was", [] { parameterSetting1Click(); }, nullptr},
        {"type change cancelled",
         [this] {
             modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) { return PlcTypeFormResult{}; };
             plcTypeChange1Click();
         },
         nullptr},
        {"keyword setting cancelled", [] { KeywordSetting1Click(); }, nullptr},
        {"a title kept at Open",
         [this] {
             Close1Click();
             open();
         },
         nullptr},
        {"a DCN file beside a COW file stays on disk",
         [this] {
             reopenWithDcn(true);
             EXPECT_TRUE(fakes.files.exists(kDcn));
             EXPECT_EQ(appState.dcnMemo, "");  // the COW file's description
         },
         nullptr},
        {"device registration cancelled", [this] { registerRuns({}); }, nullptr},
        {"the first device moved up",
         [] {
             EnterDeviceMonitor1Click();
             deviceMonitorList.selected = deviceMonitorList.head;
             btnMonDeviceMoveUpClick();
         },
         nullptr},
        {"no program open: the Option items",
         [this] {
             Close1Click();
             linkDialogs.keywordEntries = {{"", "ABCD1234"}};
             KeywordSetting1Click();
             parameterSetting1Click();
             plcTypeChange1Click();
         },
         nullptr},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.place);
        openSavedProgram();
        const auto saved = programFiles();
        c.change();
        btnMonDeviceCloseClick();
        fakes.messages.shown.clear();
        if (c.kept) fakes.messages.scriptAnswers({MsgAnswer::Yes});
        Exit1Click();
        EXPECT_EQ(boxes(), c.kept ? Boxes{kExitQuestion} : Boxes{});
        EXPECT_TRUE(appState.exitRequested);
        if (!c.kept) {
            EXPECT_EQ(programFiles(), saved);
            continue;
        }
        open();
        EXPECT_TRUE(c.kept());
    }
}

// Type change answered OK with the type and capacity the program has keeps its keyword and
// parameters: Exit asks nothing and the files stay as saved.
TEST_F(UnsavedChangesTest, TypeChangeWithTheTypeAndCapacityItHasChangesNothing) {
    openSavedProgram();
    linkDialogs.keywordEntries = {{"", "ABCD1234"}};
    KeywordSetting1Click();
    Save1Click();
    const PmwImage before = pmw;
    const auto saved = programFiles();
    plcTypeChange1Click();
    EXPECT_TRUE(pmw == before);
    fakes.messages.shown.clear();
    Exit1Click();
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(programFiles(), saved);
}

// A DCN file goes with the save of the program that took its description, under the DCN file's own
// name, and with no other: not when that program is closed unsaved or saved elsewhere, and then
// another program is saved under the name.
TEST_F(UnsavedChangesTest, ADcnFileGoesOnlyWithTheSaveOfTheProgramThatTookItsDescription) {
    for (const bool closedUnsaved : {true, false}) {
        openSavedProgram();
        reopenWithDcn(false);
        if (closedUnsaved) {
            fakes.messages.scriptAnswers({MsgAnswer::No});
            Close1Click();
        } else {
            appDialogs.saveAnswers.push_back({true, "/p/Other.PMW"});
            SaveAs1Click();
        }
        New1Click();
        appDialogs.saveAnswers.push_back({true, kProgram});
        fakes.messages.scriptAnswers({MsgAnswer::Yes});  // over the file there
        Save1Click();
        EXPECT_EQ(currentFileName(), kProgram);
        EXPECT_TRUE(fakes.files.exists(kDcn)) << closedUnsaved;
    }
}

}  // namespace
}  // namespace kestrion::test
