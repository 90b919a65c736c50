// RegisterViewGroupBox: the register panel that takes the ladder's place in the edit panel, with
// regStringGrid and its buttons. It shows the core's panel (app/RegisterView.h) and hands typed
// cells, Enter and the buttons to it.
#pragma once

#include <QGroupBox>
#include <cstdint>
#include <functional>

class QPushButton;
class QTableWidget;

namespace kestrion::app {

class TRegisterViewPanel : public QGroupBox {
    Q_OBJECT
public:
    // afterCommand brings the main window up to the core's state after a button or Enter.
    TRegisterViewPanel(std::function<void()> afterCommand, QWidget* parent = nullptr);

    // Shown while the register view is; the grid is refilled when the core made a new one.
    void syncFromCore();

    QTableWidget* regStringGrid = nullptr;
    QPushButton* btnRegView16bits = nullptr;
    QPushButton* btnRegView32bits = nullptr;
    QPushButton* btnRegViewUpdate = nullptr;      // hidden: Enter does the same
    QPushButton* btnRegViewEditCancel = nullptr;  // hidden
    QPushButton* btnRegViewClose = nullptr;

private:
    QPushButton* addButton(const char* name, const char* caption, void (*handler)());
    void enterPressed();

    std::function<void()> afterCommand_;
    std::uint32_t shownFills_ = 0;
};

}  // namespace kestrion::app
