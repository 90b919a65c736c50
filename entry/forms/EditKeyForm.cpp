#include "entry/forms/EditKeyForm.h"

#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cctype>

#include "entry/EntryState.h"
#include "lang/forms/WidgetText.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion::forms {

namespace {

int scaled(std::uint32_t value) {
    return static_cast<int>(std::uint64_t{value} * zoomPercent / 100);
}

// The key as the box's rules take it: 13 Enter, 27 Escape, the character otherwise; 0 for keys
// without one (arrows, shifts) and for Ctrl combinations, which the edit line keeps for itself.
char keyCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape) return 27;
    // Ctrl+A, Ctrl+C and the like are the edit line's own commands, not characters of the line.
    if ((event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0) return 0;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0x7E) return 0;
    return static_cast<char>(text[0].unicode());
}

}  // namespace

TEditKeyForm::TEditKeyForm(EditKeyBox& box, QWidget* ladderArea)
    : QDialog(ladderArea, ladderArea != nullptr ? Qt::Popup | Qt::FramelessWindowHint
                                                : Qt::Dialog | Qt::FramelessWindowHint),
      box_(box) {
    setObjectName("EditKeyForm");
    setWindowTitle(" ");
    // Without a ladder area the box is a plain window, modal as any dialog.
    setModal(ladderArea == nullptr);
    setFixedSize(383, 20);

    EditKeyComboBox = new QComboBox(this);
    EditKeyComboBox->setObjectName("EditKeyComboBox");
    EditKeyComboBox->setGeometry(0, 0, 57, 20);
    EditKeyComboBox->setEditable(true);
    EditKeyComboBox->setMaxVisibleItems(10);
    EditKeyComboBox->addItems(
        {"", "--|P|--", "--|F|--", "--| |--", "--|/|--", "+| |+", "+|/|+", "--( )--", "--[ ]--"});
    EditKeyComboBox->setEnabled(false);

    EditInstr1 = new QLineEdit(this);
    EditInstr1->setObjectName("EditInstr1");
    EditInstr1->setGeometry(56, 0, 305, 20);
    EditInstr1->setFrame(false);
    EditInstr1->setMaxLength(static_cast<int>(kEditLineMaxLength));
    QFont bold = EditInstr1->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    EditInstr1->setFont(bold);
    EditInstr1->installEventFilter(this);

    btnCancel = new QPushButton("X", this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(363, 0, 20, 20);
    connect(btnCancel, &QPushButton::clicked, this, &TEditKeyForm::btnCancelClick);

    if (ladderArea != nullptr) {
        const QPoint cursor(scaled(xOldCursor + ModeData.xSizeSymble / 2),
                            scaled(yOldCursor + ModeData.ySizeSymble));
        move(ladderArea->mapToGlobal(cursor));
    }
    FormPaint();
}

void TEditKeyForm::FormPaint() {
    EditKeyComboBox->setEditText(widgetText(symbolComboText(FncKeyDeviceCode)));
    box_.FormPaint();
    showBoxState();
    EditInstr1->setFocus();
}

void TEditKeyForm::showBoxState() {
    EditInstr1->setEchoMode(box_.masked ? QLineEdit::Password : QLineEdit::Normal);
    const QString text = QString::fromLatin1(box_.line.data(), static_cast<qsizetype>(box_.line.size()));
    if (EditInstr1->text() != text) {
        EditInstr1->setText(text);
        EditInstr1->setCursorPosition(static_cast<int>(text.size()));
    }
}

void TEditKeyForm::btnCancelClick() {
    box_.btnCancelClick();
    done(1);
}

void TEditKeyForm::run() {
    if (box_.closed) return;
    QEventLoop loop;
    loop_ = &loop;
    show();
    EditInstr1->setFocus();
    if (isVisible()) loop.exec();
    loop_ = nullptr;
}

void TEditKeyForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (inKey_ && !box_.closed) {
        lostPopup_ = true;
        return;
    }
    if (!box_.closed) box_.btnCancelClick();
    endShowing();
}

void TEditKeyForm::endShowing() {
    if (loop_ != nullptr) loop_->quit();
}

void TEditKeyForm::showAgain() {
    lostPopup_ = false;
    show();
    raise();
    EditInstr1->setFocus();
}

bool TEditKeyForm::EditInstr1KeyPress(char key) {
    box_.line = EditInstr1->text().toLatin1().toStdString();
    inKey_ = true;
    const bool goesOn = box_.keyPress(key);
    inKey_ = false;
    if (box_.closed) {
        showBoxState();
        done(1);
        if (lostPopup_) endShowing();  // hidden already, so no hide event ends it
        return true;
    }
    if (lostPopup_) showAgain();
    if (goesOn && key >= 0x20) {
        // As any line edit: at the caret, over the selection, in upper case, within the length.
        EditInstr1->insert(QString(QChar(std::toupper(static_cast<unsigned char>(key)))));
        box_.line = EditInstr1->text().toLatin1().toStdString();
        showBoxState();
        return true;
    }
    showBoxState();
    // A refused line stays for correcting, selected: typing replaces it, an arrow key keeps it.
    if (key == 13) EditInstr1->selectAll();
    return !goesOn;
}

bool TEditKeyForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditInstr1 && event->type() == QEvent::KeyPress) {
        const char key = keyCharacter(*static_cast<QKeyEvent*>(event));
        if (key != 0) return EditInstr1KeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

void runEditKeyForm(EditKeyBox& box, QWidget* ladderArea) {
    TEditKeyForm form(box, ladderArea);
    form.run();
}

}  // namespace kestrion::forms
