// TInterceptForm: the data intercept terminal; its rules are InterceptTerminal's. It owns the QTimer
// of Timer5.
#pragma once

#include <QDialog>
#include <array>

#include "link/terminals/InterceptTerminal.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

namespace kestrion::forms {

class TInterceptForm : public QDialog {
    Q_OBJECT
public:
    explicit TInterceptForm(InterceptTerminal& state, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QComboBox* parityComboBox = nullptr;
    QComboBox* dataBitComboBox = nullptr;
    QComboBox* stopBitComboBox = nullptr;
    QComboBox* baudRateComboBox = nullptr;
    QComboBox* comPortComboBox = nullptr;
    QPlainTextEdit* mSend = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* btnSend = nullptr;
    QPushButton* OpenComPort = nullptr;
    QPushButton* Close = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 6> statusPanels{};
    QTimer* Timer5 = nullptr;

public slots:
    void Timer5Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* addList(const char* name, const QStringList& items);
    // A list's text handed to the rules when the user picks an item or leaves the edited text.
    void onListChange(QComboBox* list, std::string InterceptTerminal::*text,
                      void (InterceptTerminal::*handler)());
    void showState();
    InterceptTerminal& state_;
};

void runInterceptForm(InterceptTerminal& state);

}  // namespace kestrion::forms
