// TEditKeyForm: the one-line instruction box over the ladder cursor. A frameless popup child of
// the ladder area, so that it opens at the cursor on every window system; shown modally. Its keys
// go through the box's rules (entry/EntryDriver.h).
#pragma once

#include <QDialog>

#include "entry/EntryDriver.h"

class QComboBox;
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

public slots:
    void btnCancelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormPaint();
    void showBoxState();
    bool EditInstr1KeyPress(char key);

    EditKeyBox& box_;
};

// Shows the box modally over ladderArea until its rules close it.
void runEditKeyForm(EditKeyBox& box, QWidget* ladderArea);

}  // namespace kestrion::forms
