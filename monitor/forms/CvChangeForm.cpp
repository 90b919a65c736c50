#include "monitor/forms/CvChangeForm.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "link/forms/LineFree.h"
#include "monitor/forms/MonitorWidgets.h"

namespace kestrion::forms {

namespace {

// The edits are upper case, as the dialog's rules expect.
QLineEdit* upperCaseEdit(QWidget* parent, const char* name, int maxLength = 32767) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (text == text.toUpper()) return;
        const int at = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(at);
    });
    return edit;
}

}  // namespace

TcvChangeForm::TcvChangeForm(CvChangeDialog& state, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      state_(state) {
    setObjectName("cvChangeForm");
    auto* layout = new QGridLayout(this);
    DeviceNoEdit1 = upperCaseEdit(this, "DeviceNoEdit1", 5);
    CurrentValueEdit1 = upperCaseEdit(this, "CurrentValueEdit1");
    auto* sizeBox = new QGroupBox(this);
    auto* sizeLayout = new QHBoxLayout(sizeBox);
    cvChangeRadioGroup = new QButtonGroup(this);
    int id = 0;
    for (const char* item : {"16bits", "32bits"}) {
        auto* radio = new QRadioButton(item, sizeBox);
        cvChangeRadioGroup->addButton(radio, id++);
        sizeLayout->addWidget(radio);
    }
    ChangeCurrentValueMemo1 = new QPlainTextEdit(this);
    ChangeCurrentValueMemo1->setObjectName("ChangeCurrentValueMemo1");
    ChangeCurrentValueMemo1->setReadOnly(true);
    btnExecuteChange = new QPushButton("Execute", this);
    btnExecuteChange->setObjectName("btnExecuteChange");
    btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    auto* device = new QLabel(this);
    auto* values = new QLabel(this);
    auto* progress = new QLabel(this);
    Captions& captions = Captions::of(this)
                             .translatedTitle(state.caption)
                             .text(btnExecuteChange, "CvChangeExecute")
                             .text(btnClose, "Close")
                             .text(device, "CvChangeDevice")
                             .text(values, "CvChangeValues")
                             .text(progress, "CvChangeProgress");
    for (QAbstractButton* size : cvChangeRadioGroup->buttons())
        captions.text(size, cvChangeRadioGroup->id(size) == 0 ? "RegView16bits" : "RegView32bits");
    layout->addWidget(device, 0, 0);
    layout->addWidget(DeviceNoEdit1, 0, 1);
    layout->addWidget(values, 1, 0);
    layout->addWidget(CurrentValueEdit1, 1, 1);
    layout->addWidget(sizeBox, 2, 0, 1, 2);
    layout->addWidget(progress, 3, 0);
    layout->addWidget(ChangeCurrentValueMemo1, 4, 0, 1, 2);
    layout->addWidget(btnExecuteChange, 5, 0);
    layout->addWidget(btnClose, 5, 1);

    state_.FormShow();
    connect(DeviceNoEdit1, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.deviceText = text.toStdString(); });
    connect(CurrentValueEdit1, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.CurrentValueEdit1Change(text.toStdString()); });
    connect(cvChangeRadioGroup, &QButtonGroup::idClicked, this,
            [this](int index) { state_.cvChangeRadioGroupClick(index); });
    connect(btnExecuteChange, &QPushButton::clicked, this, [this] {
        runWhenLineFree(this, [this] {
            state_.btnExecuteChangeClick();
            showState();
        });
    });
    connect(btnClose, &QPushButton::clicked, this, [this] {
        state_.btnCloseClick();
        reject();
    });
    showState();
}

void TcvChangeForm::showState() {
    const QSignalBlocker blockDevice(DeviceNoEdit1);
    if (DeviceNoEdit1->text() != widgetText(state_.deviceText))
        DeviceNoEdit1->setText(widgetText(state_.deviceText));
    cvChangeRadioGroup->button(state_.sizeIndex)->setChecked(true);
    QStringList lines;
    for (const std::string& line : state_.memo) lines << widgetText(line);
    if (ChangeCurrentValueMemo1->toPlainText() != lines.join('\n'))
        ChangeCurrentValueMemo1->setPlainText(lines.join('\n'));
}

}  // namespace kestrion::forms
