#include "entry/forms/InputDeviceForm.h"
#include "lang/forms/Captions.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TInputDeviceForm::TInputDeviceForm(InputDeviceDialog& dialog, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      dialog_(dialog) {
    setObjectName("InputDeviceForm");
    setWindowTitle("InputDevice");
    // The design's 352 x 130: the symbol is painted in the top 56 pixels, the field below it and
    // the buttons under that, each at least its design size and as large as its text needs.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 56, 15, 9);
    layout->setSpacing(16);

    InputDeviceEdit = new QLineEdit(this);
    InputDeviceEdit->setObjectName("InputDeviceEdit");
    InputDeviceEdit->setMinimumSize(321, 24);
    layout->addWidget(InputDeviceEdit);
    QFont font = InputDeviceEdit->font();
    font.setPixelSize(13);
    InputDeviceEdit->setFont(font);
    InputDeviceEdit->setText(QString::fromStdString(dialog_.text));
    InputDeviceEdit->installEventFilter(this);
    connect(InputDeviceEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int at = InputDeviceEdit->cursorPosition();
        InputDeviceEdit->setText(text.toUpper());
        InputDeviceEdit->setCursorPosition(at);
    });

    auto* row = new QHBoxLayout;
    row->setSpacing(29);
    row->addSpacing(24);
    const auto button = [this, row](QPushButton*& b, const char* name, const char* caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setMinimumSize(75, 25);
        row->addWidget(b);
    };
    button(InputDeviceOk, "InputDeviceOk", "OK");
    button(InputDeviceCancel, "InputDeviceCancel", "Cancel");
    button(InputDeviceHelp, "InputDeviceHelp", "Help");
    row->addStretch(1);
    layout->addLayout(row);
    InputDeviceHelp->setEnabled(false);
    Captions::of(this).title("InputDeviceCaption").text(InputDeviceHelp, "Help");
    InputDeviceOk->setAutoDefault(false);
    InputDeviceCancel->setAutoDefault(false);
    connect(InputDeviceOk, &QPushButton::clicked, this, &TInputDeviceForm::InputDeviceOkClick);
    connect(InputDeviceCancel, &QPushButton::clicked, this, &TInputDeviceForm::InputDeviceCancelClick);
    setTabOrder(InputDeviceEdit, InputDeviceOk);
    setTabOrder(InputDeviceOk, InputDeviceCancel);
    InputDeviceEdit->setFocus();
    keepLaidOutSize(*this);
}

void TInputDeviceForm::finish() {
    done(dialog_.bDeviceOk != 0 ? 1 : 2);
}

void TInputDeviceForm::InputDeviceOkClick() {
    dialog_.text = InputDeviceEdit->text().toStdString();
    dialog_.InputDeviceOkClick();
    finish();
}

void TInputDeviceForm::InputDeviceCancelClick() {
    dialog_.InputDeviceCancelClick();
    finish();
}

bool TInputDeviceForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == InputDeviceEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            InputDeviceOkClick();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            InputDeviceCancelClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInputDeviceForm::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QPen pen = painter.pen();
    pen.setWidth(2);
    painter.setPen(pen);
    for (const SymbolStroke& s : inputDeviceSymbol(dialog_.paintSymbleCode)) {
        if (s.arc == 0) {
            painter.drawLine(s.x1, s.y1, s.x2, s.y2);
            continue;
        }
        const QRect box(s.x1, s.y1, s.x2 - s.x1, s.y2 - s.y1);
        painter.drawArc(box, (s.arc == 1 ? 90 : -90) * 16, 180 * 16);
    }
}

void runInputDeviceForm(InputDeviceDialog& dialog) {
    dialog.closed = false;
    TInputDeviceForm form(dialog);
    form.exec();
}

}  // namespace kestrion::forms
