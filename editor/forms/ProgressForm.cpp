#include "editor/forms/ProgressForm.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion {

TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("ProgressForm");
    auto* layout = new QVBoxLayout(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setMinimumWidth(320);
    layout->addWidget(ProgressBar1);
    forms::keepLaidOutSize(*this);
}

// A window manager's close (Alt+F4, a close box it draws anyway) would only hide the window while
// the work, a transfer among them, runs on.
void TProgressForm::closeEvent(QCloseEvent* event) {
    event->ignore();
}

namespace forms {

QtProgress::~QtProgress() {
    delete form_;
}

void QtProgress::show(const std::string& caption, int minimum, int maximum) {
    if (!form_) {
        form_ = new TProgressForm;
        // The caption of the work under way, in the language of the moment.
        forms::Captions::of(form_).with([form = form_] {
            form->setWindowTitle(
                forms::translatedText(form->property("caption").toByteArray().toStdString()));
        });
    }
    form_->setProperty("caption", QByteArray::fromStdString(caption));
    form_->setWindowTitle(translatedText(caption));
    form_->ProgressBar1->setRange(minimum, maximum);
    form_->ProgressBar1->setValue(minimum);
    if (form_->isHidden()) {
        form_->show();
        centreOnScreen(*form_);  // placed once it has its frame: it has no opener to stand over
    }
    // The operations run without returning to the loop (whose timers must not run in the middle of
    // them), so the window paints itself at once.
    form_->repaint();
}

void QtProgress::setPosition(int position) {
    if (!form_) return;
    form_->ProgressBar1->setValue(position);
    form_->repaint();
}

void QtProgress::hide() {
    if (form_) form_->hide();
}

}  // namespace forms
}  // namespace kestrion
