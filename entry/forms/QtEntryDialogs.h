// The instruction box's dialogs as Qt windows. The main window names the ladder area the box
// opens over and the memo it hides.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "entry/EntryDialogs.h"

namespace kestrion::forms {

class QtEntryDialogs : public EntryDialogs {
public:
    void setLadderArea(QWidget* area) { ladderArea_ = area; }
    void setInstrMemoScreen(QWidget* memo) { instrMemo_ = memo; }
    // Called with the items an access code reveals.
    void setRevealHandler(std::function<void(HiddenItems)> handler) { reveal_ = std::move(handler); }

    void editKey(EditKeyBox& box) override;
    void inputDevice(InputDeviceDialog& dialog) override;
    void hideInstrMemoScreen() override;
    void revealHiddenItems(HiddenItems items) override;

private:
    QPointer<QWidget> ladderArea_;
    QPointer<QWidget> instrMemo_;
    std::function<void(HiddenItems)> reveal_;
};

}  // namespace kestrion::forms
