// TProgressForm: the progress window of the long operations, a small window that stays on top
// with one bar, ProgressBar1. It is the platform's progress service of the program. It has no close
// box and refuses a close: it shows while its work runs on, and only the end of the work hides it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Services.h"

class QProgressBar;

namespace kestrion {

class TProgressForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

namespace forms {

// Makes the window on first use and keeps it for the process.
class QtProgress : public platform::Progress {
public:
    ~QtProgress() override;
    void show(const std::string& caption, int minimum, int maximum) override;
    void setPosition(int position) override;
    void hide() override;
    TProgressForm* form() const { return form_; }

private:
    QPointer<TProgressForm> form_;
};

}  // namespace forms
}  // namespace kestrion
