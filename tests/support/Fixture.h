// The base of every core test: fakes installed and the state of every folder as at start-up.
#pragma once

#include <gtest/gtest.h>

#include "lang/FakeLangDialogs.h"
#include "link/FakeLinkDialogs.h"
#include "model/FakeModelDialogs.h"
#include "support/FakePlatform.h"

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

private:
    InstalledDialogs<ModelDialogs> modelDialogsInstalled_{modelDialogs};
    InstalledDialogs<LangDialogs> langDialogsInstalled_{langDialogs};
    InstalledDialogs<LineDialogs> lineDialogsInstalled_{linkDialogs};
    InstalledDialogs<PlcDialogs> plcDialogsInstalled_{linkDialogs};
    InstalledDialogs<TransferDialogs> transferDialogsInstalled_{linkDialogs};
};

}  // namespace kestrion::test
