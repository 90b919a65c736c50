// Work the user must not see while it runs (a trial conversion behind the instruction box): while a
// CapturedServices stands, the message boxes, the status bar, the trace memos, the progress window,
// the beep, the main window's caption and its timers reach nobody. Each box is kept, in order, and
// answered with its default button. The clock, the files and the serial ports stay the installed
// ones. Whatever was installed before comes back when it ends. Boxes a SaidAfterwards outside holds
// for the user go on waiting; those of the captured work are kept here.
#pragma once

#include <string>
#include <vector>

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion::platform {

struct CapturedBox {
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::None;
};

class CapturedServices final : public Messages,
                               public StatusBar,
                               public TraceMemos,
                               public Progress,
                               public System,
                               public Timers {
public:
    CapturedServices();
    ~CapturedServices() override;
    CapturedServices(const CapturedServices&) = delete;
    CapturedServices& operator=(const CapturedServices&) = delete;

    const std::vector<CapturedBox>& boxes() const { return boxes_; }

    MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon,
                   MsgButtons buttons) override;
    void setPanelText(int, const std::string&) override {}
    std::string panelText(int) const override { return {}; }
    bool visible(Memo) const override { return false; }
    void setVisible(Memo, bool) override {}
    void append(Memo, const std::string&) override {}
    void clear(Memo) override {}
    int lineCount(Memo) const override { return 0; }
    void show(const std::string&, int, int) override {}
    void setPosition(int) override {}
    void hide() override {}
    void beep() override {}
    ScreenSize screenSize() const override { return before_.system->screenSize(); }
    void setMainCaption(const std::string&) override {}
    void showBusy(bool) override {}
    void setEnabled(TimerId, bool) override {}
    bool enabled(TimerId id) const override { return before_.timers->enabled(id); }
    void setInterval(TimerId, std::uint32_t) override {}
    std::uint32_t interval(TimerId id) const override { return before_.timers->interval(id); }

private:
    SaidNow saidHere_;  // the boxes of the captured work are kept here, not held for the user
    Services before_;
    std::vector<CapturedBox> boxes_;
};

}  // namespace kestrion::platform
