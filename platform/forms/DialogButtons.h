// The OK / Cancel row that closes most dialogs: the two buttons side by side, named btnOk and
// btnCancel as the window tests look for them. addOkCancelRow also makes OK the default button,
// accepts with it and rejects with Cancel; a dialog with handlers of its own connects them itself.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace kestrion::forms {

struct OkCancelRow {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;  // for the caller to place
};

inline OkCancelRow makeOkCancelRow(QWidget* parent, const char* okCaption = "OK") {
    OkCancelRow made{new QPushButton(okCaption, parent), nullptr, new QHBoxLayout};
    made.ok->setObjectName("btnOk");
    made.cancel = new QPushButton("Cancel", parent);
    made.cancel->setObjectName("btnCancel");
    made.row->addWidget(made.ok);
    made.row->addWidget(made.cancel);
    return made;
}

inline void addOkCancelRow(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel) {
    const OkCancelRow made = makeOkCancelRow(dialog);
    ok = made.ok;
    cancel = made.cancel;
    ok->setDefault(true);
    layout->addLayout(made.row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

}  // namespace kestrion::forms
