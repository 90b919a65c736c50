#include "editor/forms/ProgressForm.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"

namespace kestrion {

TProgressForm::TProgressForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("ProgressForm");
    setWindowTitle("Progress");
    auto* layout = new QVBoxLayout(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setMinimumWidth(320);
    layout->addWidget(ProgressBar1);
}

namespace forms {

QtProgress::~QtProgress() {
    delete form_;
}

void QtProgress::show(const std::string& caption, int minimum, int maximum) {
    if (!form_) form_ = new TProgressForm;
    form_->setWindowTitle(widgetText(caption));
    form_->ProgressBar1->setRange(minimum, maximum);
    form_->ProgressBar1->setValue(minimum);
    if (form_->isHidden()) form_->show();
    // The operations run without returning to the loop; the window shows before they go on.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgress::setPosition(int position) {
    if (!form_) return;
    form_->ProgressBar1->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgress::hide() {
    if (form_) form_->hide();
}

}  // namespace forms
}  // namespace kestrion
