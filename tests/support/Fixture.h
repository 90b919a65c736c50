// The base of every core test: fakes installed and the state of every folder as at start-up.
#pragma once

#include <gtest/gtest.h>

#include "compiler/RungTrialConversion.h"
#include "lang/FakeLangDialogs.h"
#include "lang/Language.h"
#include "link/FakeLinkDialogs.h"
#include "link/transfer/FakeWindowSteps.h"
#include "model/FakeModelDialogs.h"
#include "monitor/FakeMonitorWindow.h"
#include "monitor/MonitorPoll.h"
#include "support/FakePlatform.h"
#include "wizards/gateway/FakeParameterListView.h"

namespace kestrion::test {

// Resets the global state of every folder of the core.
void resetAllState();

class CoreTest : public ::testing::Test {
protected:
    CoreTest() { resetAllState(); }
    ~CoreTest() override { resetAllState(); }

    FakePlatform fakes;
    // Each subsystem's dialogs, installed for the test.
    FakeModelDialogs modelDialogs;
    FakeLangDialogs langDialogs;
    FakeLinkDialogs linkDialogs;
    // What the floors below app/ ask of the main window; the canvas's texts are the language's.
    FakeWindowSteps windowSteps;
    FakeParameterListView parameterList;
    FakeMonitorWindow monitorWindow;
    LanguageCanvasTexts canvasTexts;
    // The monitor poll holds its next request for a click that needs the line.
    MonitorLineHold lineHold;
    // The instruction box tries the lines it takes on Convert, as the program does.
    RungTrialConversion rungTrial;

    // Drops what the fakes recorded so far, the platform's (FakePlatform::forgetRecords) and the
    // pop-ups and views the dialogs showed (every Convert's completion note among them), for a long
    // property that judges each program by what it shows from then on.
    void forgetRecords() {
        fakes.forgetRecords();
        langDialogs.appMessages.clear();
        langDialogs.aboutBoxes.clear();
        modelDialogs.stackCodeViews.clear();
        modelDialogs.plcTypeRequests.clear();
    }

private:
    InstalledDialogs<ModelDialogs> modelDialogsInstalled_{modelDialogs};
    InstalledDialogs<LangDialogs> langDialogsInstalled_{langDialogs};
    InstalledDialogs<LineDialogs> lineDialogsInstalled_{linkDialogs};
    InstalledDialogs<PlcDialogs> plcDialogsInstalled_{linkDialogs};
    InstalledDialogs<TransferDialogs> transferDialogsInstalled_{linkDialogs};
    InstalledDialogs<WindowSteps> windowStepsInstalled_{windowSteps};
    InstalledDialogs<ParameterListView> parameterListInstalled_{parameterList};
    InstalledDialogs<MonitorWindow> monitorWindowInstalled_{monitorWindow};
    InstalledDialogs<CanvasTexts> canvasTextsInstalled_{canvasTexts};
    InstalledDialogs<LineHold> lineHoldInstalled_{lineHold};
    InstalledDialogs<RungTrial> rungTrialInstalled_{rungTrial};
};

}  // namespace kestrion::test
