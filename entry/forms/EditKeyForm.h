// TEditKeyForm: the one-line instruction box over the ladder cursor. A frameless popup child of
// the ladder area, so that it opens at the cursor on every window system. Its keys go through the
// box's rules (entry/EntryDriver.h).
//
// A popup takes every key and click while it shows, so it is not made modal: a modal window would
// drop the keys the window system still sends to the main window while the popup appears, and
// typed keys would be lost. A message box closes any popup; when one opens while the rules keep
// the box open (a refused line), the box comes back with its line once the message is answered.
#pragma once

#include <QDialog>

#include "entry/EntryDriver.h"

class QComboBox;
class QEventLoop;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TEditKeyForm : public QDialog {
    Q_OBJECT
public:
    // ladderArea may be null (the box then opens as a plain window); the box is placed just below
    // and right of the cursor cell.
    TEditKeyForm(EditKeyBox& box, QWidget* ladderArea);

    QComboBox* EditKeyComboBox = nullptr;
    QLineEdit* EditInstr1 = nullptr;
    QPushButton* btnCancel = nullptr;

    // Shows the box until its rules close it or it is closed from outside (a click elsewhere),
    // which cancels it as the X button does.
    void run();

public slots:
    void btnCancelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormPaint();
    void showBoxState();
    void showAgain();
    void endShowing();
    bool EditInstr1KeyPress(char key);

    EditKeyBox& box_;
    QEventLoop* loop_ = nullptr;
    bool inKey_ = false;      // the rules are handling a key (and may show a message box)
    bool lostPopup_ = false;  // a message box closed the popup during that key
};

// Shows the box over ladderArea until its rules close it.
void runEditKeyForm(EditKeyBox& box, QWidget* ladderArea);

}  // namespace kestrion::forms
