// The main window's steps as a test scripts them: every call is recorded, the answers are the
// test's; nothing is closed, named or shown. Until a test says otherwise no program is open and
// every step that could refuse does.
#pragma once

#include <string>
#include <vector>

#include "link/transfer/WindowSteps.h"

namespace kestrion::test {

class FakeWindowSteps : public WindowSteps {
public:
    bool programShown() override {
        calls.push_back("programShown");
        return programOpen;
    }
    bool closeProgram() override {
        calls.push_back("closeProgram");
        return closeGoesThrough;
    }
    void newProgram() override { calls.push_back("newProgram"); }
    void choosePlcType() override { calls.push_back("choosePlcType"); }
    void clearProgramMemos() override { calls.push_back("clearProgramMemos"); }
    void refreshRegisterView() override { calls.push_back("refreshRegisterView"); }
    bool showCommandBuiltProgram(const std::string& loadName, const std::string& statusText) override {
        calls.push_back("showCommandBuiltProgram " + loadName + " | " + statusText);
        return shownAsNew;
    }

    std::vector<std::string> calls;
    bool programOpen = false;
    bool closeGoesThrough = false;
    bool shownAsNew = false;
};

}  // namespace kestrion::test
