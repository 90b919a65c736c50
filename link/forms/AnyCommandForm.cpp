#include "link/forms/AnyCommandForm.h"

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

void place(QWidget* widget, const WidgetBox& box) {
    widget->setGeometry(box.left, box.top, box.width, box.height);
}

QString linesText(const std::vector<std::string>& lines) {
    QStringList texts;
    for (const std::string& line : lines) texts << widgetText(line);
    return texts.join('\n');
}

}  // namespace

TAnyCommandForm::TAnyCommandForm(AnyCommandTerminal& state, const std::string& caption, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("AnyCommandForm");
    CommandLabel = new QLabel(this);
    QFont bold = CommandLabel->font();
    bold.setBold(true);
    CommandLabel->setFont(bold);
    Edit1 = new QLineEdit(widgetText(state_.edit1), this);
    Edit1->setObjectName("Edit1");
    RxMemo4 = new QPlainTextEdit(this);
    RxMemo4->setObjectName("RxMemo4");
    RxMemo4->setReadOnly(true);
    RxMemo4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Panel2 = new QFrame(this);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    parityComboBox = addList(Panel2, "parityComboBox", {"Even", "Odd", "None", "Mark", "Space"});
    dataBitComboBox = addList(Panel2, "dataBitComboBox", {"db7Bits", "db8Bits"});
    stopBitComboBox = addList(Panel2, "stopBitComboBox", {"StopBit1", "StopBit2"});
    baudRateComboBox = addList(Panel2, "baudRateComboBox", {"9600", "19200", "38400", "57600", "115200"});
    QStringList ports;
    for (int i = 1; i <= 19; ++i) ports << QString("COM%1").arg(i);
    comPortComboBox = addList(Panel2, "comPortComboBox", ports);
    baudRateComboBox->hide();
    comPortComboBox->hide();
    int top = 8;
    for (QComboBox* list : {parityComboBox, dataBitComboBox, stopBitComboBox}) {
        list->setGeometry(2, top, 84, 24);  // room for the style's drop-down arrow
        top += 32;
    }
    ProtocolComboBox1 =
        addList(this, "ProtocolComboBox1", {"sysProtocol", "cLink", "ModbusAsc", "ModbusRtu", "FreeUser"});
    DataTypeComboBox1 = addList(this, "DataTypeComboBox1",
                                {"Binary", "Decimal", "Hexiadecimal", "Floating point", "Ascii character"});
    DataTypeComboBox1->setEditText("Decimal");
    DataTypeComboBox1->setEnabled(false);
    DataLengthComboBox1 = addList(this, "DataLengthComboBox1", {"8", "16", "32"});
    DataLengthComboBox1->setEnabled(false);
    DataLengthComboBox1->hide();
    btnSend = new QPushButton(this);
    btnSend->setObjectName("btnSend");
    btnClose = new QPushButton(this);
    btnClose->setObjectName("btnClose");
    btnSetupPanel = new QPushButton("SetupPanel", this);
    Captions::of(this)
        .translatedTitle(caption)
        .text(CommandLabel, "TerminalCommand")
        .text(btnSend, "TerminalSend")
        .text(btnClose, "Close")
        .with([this] {
            // The command line starts where the caption ends, in any language.
            state_.commandLabelWidth = CommandLabel->sizeHint().width();
            state_.btnSetupPanelClick();
            placeControls();
        });
    btnSetupPanel->setEnabled(false);
    btnSetupPanel->hide();

    onListChange(parityComboBox, &AnyCommandTerminal::parityText, &AnyCommandTerminal::parityComboBoxChange);
    onListChange(dataBitComboBox, &AnyCommandTerminal::dataBitText,
                 &AnyCommandTerminal::dataBitComboBoxChange);
    onListChange(stopBitComboBox, &AnyCommandTerminal::stopBitText,
                 &AnyCommandTerminal::stopBitComboBoxChange);
    onListChange(baudRateComboBox, &AnyCommandTerminal::baudRateText,
                 &AnyCommandTerminal::baudRateComboBoxChange);
    onListChange(comPortComboBox, &AnyCommandTerminal::comPortText,
                 &AnyCommandTerminal::comPortComboBoxChange);
    onListChange(ProtocolComboBox1, &AnyCommandTerminal::protocolText,
                 &AnyCommandTerminal::ProtocolComboBox1Change);
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        // The command line takes upper case only.
        const int cursor = Edit1->cursorPosition();
        Edit1->setText(text.toUpper());
        Edit1->setCursorPosition(cursor);
        state_.edit1 = text.toUpper().toStdString();
        state_.Edit1Change();
        showState();
    });
    connect(btnSend, &QPushButton::clicked, this, [this] {
        state_.edit1 = Edit1->text().toStdString();
        state_.btnSendClick();
        showState();
    });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the command line sends it.
    btnSend->setDefault(true);
    btnClose->setAutoDefault(false);
    // A fixed single border without border icons, centred: Close ends it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(state_.width, state_.height);
}

QComboBox* TAnyCommandForm::addList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->addItems(items);
    return list;
}

void TAnyCommandForm::onListChange(QComboBox* list, std::string AnyCommandTerminal::*text,
                                   void (AnyCommandTerminal::*handler)()) {
    const std::function<void(AnyCommandTerminal&)> run = handler;
    const auto take = [this, list, text, run] {
        state_.*text = list->currentText().toStdString();
        run(state_);
        showState();
    };
    // An item picked always counts (the same protocol again reopens the port); a typed text when
    // it differs from the one in force.
    connect(list, &QComboBox::activated, this, take);
    connect(list->lineEdit(), &QLineEdit::editingFinished, this, [this, list, text, take] {
        if (list->currentText().toStdString() != state_.*text) take();
    });
}

void TAnyCommandForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TAnyCommandForm::placeControls() {
    const AnyCommandLayout& l = state_.layout;
    place(CommandLabel, l.commandLabel);
    place(Edit1, l.edit1);
    place(RxMemo4, l.rxMemo4);
    place(Memo1, l.memo1);
    place(Panel2, l.panel2);
    place(ProtocolComboBox1, l.protocolComboBox);
    place(DataTypeComboBox1, l.dataTypeComboBox);
    place(DataLengthComboBox1, l.dataLengthComboBox);
    place(btnSend, l.btnSend);
    place(btnClose, l.btnClose);
}

void TAnyCommandForm::showState() {
    placeControls();
    const std::pair<QComboBox*, const std::string*> lists[] = {
        {parityComboBox, &state_.parityText},   {dataBitComboBox, &state_.dataBitText},
        {stopBitComboBox, &state_.stopBitText}, {baudRateComboBox, &state_.baudRateText},
        {comPortComboBox, &state_.comPortText}, {ProtocolComboBox1, &state_.protocolText}};
    for (const auto& [list, text] : lists) {
        const QSignalBlocker blocker(list);
        list->setEditText(widgetText(*text));
        list->lineEdit()->setCursorPosition(0);  // the start of a name that is wider than the box
    }
    if (Edit1->text() != widgetText(state_.edit1)) Edit1->setText(widgetText(state_.edit1));
    RxMemo4->setPlainText(linesText(state_.rxMemo4));
    RxMemo4->moveCursor(QTextCursor::End);
    if (Memo1->toPlainText() != linesText(state_.memo1)) Memo1->setPlainText(linesText(state_.memo1));
}

void runAnyCommandForm(AnyCommandTerminal& state, const std::string& caption) {
    TAnyCommandForm form(state, caption, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
