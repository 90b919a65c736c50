#include "devviews/forms/ViewMoreForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TViewMoreForm::TViewMoreForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ViewMoreForm");
    auto* layout = new QVBoxLayout(this);
    DeveloperMenusCheckBox = new QCheckBox("Developer menus (xRS, xTHIS)", this);
    DeveloperMenusCheckBox->setObjectName("DeveloperMenusCheckBox");
    DeveloperViewsCheckBox = new QCheckBox("Developer views (device monitor traces)", this);
    DeveloperViewsCheckBox->setObjectName("DeveloperViewsCheckBox");
    layout->addWidget(DeveloperMenusCheckBox);
    layout->addWidget(DeveloperViewsCheckBox);
    addOkCancelRow(this, layout, btnOk, btnCancel);
    Captions::of(this)
        .title("MoreViewCaption")
        .text(DeveloperMenusCheckBox, "MoreViewMenus")
        .text(DeveloperViewsCheckBox, "MoreViewViews");
    keepLaidOutSize(*this);
}

void runViewMoreForm(ViewMoreDialog& dialog) {
    TViewMoreForm form(QApplication::activeWindow());
    form.DeveloperMenusCheckBox->setChecked(dialog.developerMenus);
    form.DeveloperViewsCheckBox->setChecked(dialog.developerViews);
    dialog.ok = form.exec() == QDialog::Accepted;
    if (!dialog.ok) return;
    dialog.developerMenus = form.DeveloperMenusCheckBox->isChecked();
    dialog.developerViews = form.DeveloperViewsCheckBox->isChecked();
}

}  // namespace kestrion::forms
