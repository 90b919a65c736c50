#include <set>
#include <type_traits>

#include "app/AppMenu.h"
#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "app/TemplateCommands.h"
#include "entry/EntryState.h"
#include "lang/Language.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "wizards/DataFiles.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/TemplateMenu.h"

namespace kestrion::test {
namespace {

// A row's flags are named: the table takes no bare true or false in their place.
static_assert(
    !std::is_constructible_v<TemplateEntry, const char*, const char*, TemplateKind, TemplateTarget, bool>);
static_assert(!std::is_constructible_v<TemplateEntry, const char*, const char*, TemplateKind, const char*,
                                       const char*, bool, bool>);
static_assert(std::is_constructible_v<TemplateEntry, const char*, const char*, TemplateKind, TemplateTarget,
                                      TemplateRowOptions>);

class TemplateMenuTest : public WizardsTest {
protected:
    TemplateMenuTest() {
        resetAllState();
        mainFormStartUp();
        ModeData.viewFlags |= kViewTemplateDisclaimerOff;
        fakes.messages.shown.clear();
    }
    static std::size_t indexOf(const char* parent, const char* caption) {
        const auto entries = templateEntries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (std::string(entries[i].parent) == parent && std::string(entries[i].caption) == caption)
                return i;
        throw std::invalid_argument(caption);
    }
    static void click(const char* parent, const char* caption) {
        templateItemClick(templateEntries()[indexOf(parent, caption)], openTemplateFile);
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    FakeAppDialogs appDialogs;

private:
    InstalledDialogs<AppDialogs> installed_{appDialogs};
};

constexpr const char* kW3 = "Templates>Axes control>WnSeries>W3 G0n";

TEST_F(TemplateMenuTest, ALanguageItemTakesTheTraditionalChineseFolderOnlyInThatLanguage) {
    const std::string t = fakes.files.dataDir + "/Template/T/Plsr/OutputAbPhaseT01.PMW";
    fakes.files.put(fakes.files.dataDir + "/Template/T/Plsr/outputabphaset01.pmw",
                    {});  // found whatever its case
    for (int language : {1, 0, 2}) {
        selectLanguageFlags(language);
        EXPECT_EQ(templateRelativePath(templateEntries()[indexOf(kW3, "OutputAbPhase")]),
                  language == 1 ? "\\Template\\T\\Plsr\\OutputAbPhaseT01.PMW"
                                : "\\Template\\E\\Plsr\\OutputAbPhaseE01.PMW");
    }
    selectLanguageFlags(1);
    EXPECT_EQ(dataFilePath(templateRelativePath(templateEntries()[indexOf(kW3, "OutputAbPhase")])), t);
    selectLanguageFlags(0);
    const std::string before = currentFileName();
    click(kW3, "OutputAbPhase");
    EXPECT_EQ(boxes(), Boxes{"Open File Error | Error2018030211 | error"});
    EXPECT_EQ(currentFileName(), before);
}

TEST_F(TemplateMenuTest, AFullNameOf95CharactersIsOpenedAnd96AreRefused) {
    for (const std::size_t length : {95u, 96u}) {
        fakes.messages.shown.clear();
        installDir = "/" + std::string(length - std::string("/Template/E/IO/1.PMW").size() - 1, 'k');
        click("Templates>Basic>IO", "1");
        const std::string name = installDir + "/Template/E/IO/1.PMW";
        ASSERT_EQ(name.size(), length);
        if (length == 95) {
            EXPECT_EQ(boxes(), Boxes{"Open File Error | Error2018030211 | error"});
        } else {
            EXPECT_EQ(boxes(), Boxes{"Filename Too Long... | Open File | none"});
            EXPECT_EQ(fakes.statusBar.panelText(13), "96," + name);
        }
    }
}

// The example is the user's own, under the installation folder: it opens under its own name.
TEST_F(TemplateMenuTest, AMissingFileLeavesTheOpenProgramAsItWas) {
    const std::string example = installDir + "/Template/E/IO/1.PMW";
    PmwImage image;
    image.pmwPre = pmwPreTemplate(5);
    image.parameterBlock = parameterTemplate(5);
    image.setMemSizeCode(2);
    image.program.fill(kEmptyWord);
    image.program[0] = 0x2400, image.program[1] = 0xC500, image.program[2] = kEndCode;
    image.setSumCheck(programCheckCode(image.program, 2));
    fakes.files.put(example, pmwFileBytes(image));
    click("Templates>Basic>IO", "1");
    ASSERT_EQ(currentFileName(), example);
    const PmwImage opened = pmw;
    click("Templates>Basic", "MPS");
    EXPECT_EQ(boxes(), Boxes{"Open File Error | Error2018030211 | error"});
    EXPECT_TRUE(pmw == opened && currentFileName() == example);
}

TEST_F(TemplateMenuTest, TheOtherKindsShowTheirWindowsOrNothing) {
    screenWidth = 1000, screenHeight = 700;
    click("Factory programs>FactoryT4Program-開發測試>測試儀器", "示波器");
    click("Factory programs>FactoryT4Program-開發測試>實際應用>定長飛剪", "Form");
    click("Factory programs>FactoryT5Program-軟體測試>SCADA", "Ws");
    click("Templates>Axes control>WnSeries>ZRN", "zrnFLC");
    click("Factory programs>FactoryT4Program-開發測試>實際應用>定長飛剪", "Diagram");
    EXPECT_EQ(boxes(), Boxes{"尚未建立 | 程式 | warning"});
    EXPECT_EQ(wizardsDialogs.shown,
              std::vector<std::string>({"RotaryCut", "Axis control", "FlowChart-ZrnFlc150908 9 800x560"}));
    // The disclaimer comes before a gated item and not before a direct one.
    ModeData.viewFlags = 0;
    wizardsDialogs.declaredScript = [](DeclaredDialog& d) { d.btnDoNotAgreeClick(); };
    click("Templates>Basic", "MPS");
    click("DemoKit>2", "WiringMachine1");
    EXPECT_EQ(wizardsDialogs.shown.size(), 4u);
    EXPECT_EQ(boxes().size(), 2u);  // the direct item looked for its file
}

TEST_F(TemplateMenuTest, TheMenusHangUnderFileWithUniqueNamesAndTheHiddenAndDisabledItems) {
    std::set<std::string> names;
    for (const MenuRow& row : mainMenuRows())
        EXPECT_TRUE(names.insert(row.objectName).second) << row.objectName;
    for (const MenuRow& row : templateMenuRows()) {
        if (std::string(row.parent) == "FileMenu") {
            EXPECT_TRUE(row.position > 50 && row.position < 90) << row.objectName;
        }
    }
    std::vector<std::string> hidden, disabled;
    for (const TemplateEntry& entry : templateEntries()) {
        if (entry.options.hidden) hidden.push_back(entry.caption);
        if (entry.options.disabled) disabled.push_back(entry.caption);
    }
    EXPECT_EQ(hidden, std::vector<std::string>({"G04Abs", "G04Rel", "KoSeries", "ccGateway",
                                                "Module programs", "Template...", "CC-Link gateway 2",
                                                "Module 3", "DemoKit", "Factory programs"}));
    EXPECT_EQ(disabled, std::vector<std::string>({"REL", "TableAxis04", "Template..."}));
}

TEST_F(TemplateMenuTest, TheSubmenusFollowTheProgramTheAccessCodeAndTheBrand) {
    const auto state = [](const char* name) {
        const MenuItemState& item = menuItem(name);
        return std::string(item.enabled ? "on" : "off") + (item.visible.value_or(true) ? "" : " hidden");
    };
    const auto states = [&state] {
        return std::vector<std::string>{state("Templates1"), state("Moduleprograms1"), state("DemoKit1"),
                                        state("Factoryprograms1")};
    };
    setMenuClosed();
    EXPECT_EQ(states(), std::vector<std::string>({"on", "on hidden", "on hidden", "on hidden"}));
    entryState.demoKitRevealed = true;
    showTemplateMenus();
    EXPECT_EQ(states(), std::vector<std::string>({"on", "on hidden", "on", "on"}));
    setMenuOpened();
    EXPECT_EQ(states(), std::vector<std::string>({"off", "off hidden", "off", "off"}));
    titleText = "Dulvamer Version 2.1.1108";
    setMenuClosed();
    EXPECT_EQ(states(), std::vector<std::string>({"on hidden", "on hidden", "on hidden", "on hidden"}));
}

}  // namespace
}  // namespace kestrion::test
