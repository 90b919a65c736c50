// TAnyCommandForm: the any-command terminal; its rules are AnyCommandTerminal's, its controls are
// placed where the rules' layout routine puts them.
#pragma once

#include <QDialog>

#include "link/terminals/AnyCommandTerminal.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TAnyCommandForm : public QDialog {
    Q_OBJECT
public:
    TAnyCommandForm(AnyCommandTerminal& state, const std::string& caption, QWidget* parent = nullptr);

    QLabel* CommandLabel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPlainTextEdit* RxMemo4 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Panel2 = nullptr;
    QComboBox* parityComboBox = nullptr;
    QComboBox* dataBitComboBox = nullptr;
    QComboBox* stopBitComboBox = nullptr;
    QComboBox* baudRateComboBox = nullptr;
    QComboBox* comPortComboBox = nullptr;
    QComboBox* ProtocolComboBox1 = nullptr;
    QComboBox* DataTypeComboBox1 = nullptr;
    QComboBox* DataLengthComboBox1 = nullptr;
    QPushButton* btnSend = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnSetupPanel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* addList(QWidget* parent, const char* name, const QStringList& items);
    void onListChange(QComboBox* list, std::string AnyCommandTerminal::*text,
                      void (AnyCommandTerminal::*handler)());
    void placeControls();
    void showState();
    AnyCommandTerminal& state_;
};

void runAnyCommandForm(AnyCommandTerminal& state, const std::string& caption);

}  // namespace kestrion::forms
