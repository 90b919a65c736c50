// The main window's start-up, close and destruction, without the window: the start values of the
// shared state and the decision the close box makes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/transfer/WindowSteps.h"
#include "wizards/gateway/LinkSetupCommands.h"

namespace kestrion {

// The start-up steps of the main window that do not need the window itself, in their order.
void mainFormStartUp();

// What the close box does.
enum class CloseDecision { Exit, Stay };
enum class SaveOutcome { Saved, Cancelled, Failed };
// saveProgram(saveAs) saves the modified program before the exit. Without it, a Yes keeps the
// window open rather than lose the changes; so do a failed save, a cancelled Save As and edits
// not yet converted. The settings are written first, whatever the answer.
using SaveForExit = std::function<SaveOutcome(bool saveAs)>;
CloseDecision mainFormClose(const SaveForExit& saveProgram);

// The main window's destruction: the clipboard block is given up in the settings, which are
// written once more unless the close box wrote them on its way out.
void mainFormDestroy();

// The developer item PMW1 (menu xTHIS > Memory > InitialFileMemory): re-initialises the image for
// the connected PLC's type at the program's capacity; before any PLC has answered that type is not
// accepted and the item shows "Parameter Error". Its neighbours pmwPre1 and pmwTail1 do nothing.
void pmw1Click();

// What the commands of the floors below ask of the main window's core: its steps around the open
// program (the File menu's close, new and naming, its panels and memos) and its parameter view.
// The program installs it at start-up beside the dialogs.
class MainWindowSteps final : public WindowSteps, public ParameterListView {
public:
    bool programShown() override;
    bool closeProgram() override;
    void newProgram() override;
    void choosePlcType() override;
    void clearProgramMemos() override;
    void refreshRegisterView() override;
    bool showCommandBuiltProgram(const std::string& loadName, const std::string& statusText) override;
    void showRows(std::vector<ParameterRow> rows) override;
};

// The main window's 250 ms drawing timer: the ladder's redraw requests, the link's status panels
// and the count that brings a slow Timer3 back to its fast interval.
void Timer2Timer();

}  // namespace kestrion
