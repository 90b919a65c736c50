// The stack-code developer view: a caption and two read-only text fields, shown modally when a
// converter stack runs over.
#pragma once

#include <QDialog>
#include <QPointer>

#include "model/ladder/StackCodeView.h"

class QLineEdit;

namespace kestrion::forms {

class TstackCodeForm : public QDialog {
    Q_OBJECT
public:
    explicit TstackCodeForm(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
};

// The view once it has been made; it is kept, hidden, between showings.
extern QPointer<TstackCodeForm> stackCodeForm;

// Makes the view when it does not exist, sets the caption and texts, shows it modally and hides it.
void showStackCodeForm(const StackCodeView& view);

}  // namespace kestrion::forms
