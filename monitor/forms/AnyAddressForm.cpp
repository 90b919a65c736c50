#include "monitor/forms/AnyAddressForm.h"

#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

void place(QWidget* widget, const WidgetBox& box) {
    widget->setGeometry(box.left, box.top, box.width, box.height);
}

void setText(QLineEdit* edit, const std::string& text) {
    const QString shown = widgetText(text);
    if (edit->text() == shown) return;
    const QSignalBlocker blocker(edit);
    edit->setText(shown);
}

void setText(QComboBox* list, const std::string& text) {
    const QSignalBlocker blocker(list);
    list->setCurrentText(widgetText(text));
    list->lineEdit()->setCursorPosition(0);  // the start of a name wider than the box
}

QComboBox* addList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->addItems(items);
    return list;
}

}  // namespace

TAnyAddressForm::TAnyAddressForm(AnyAddressDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("AnyAddressForm");
    inputPanel = new QFrame(this);
    inputPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(inputPanel);
    const auto edit = [this](const char* name, std::string AnyAddressDialog::*text,
                             void (AnyAddressDialog::*handler)()) {
        auto* field = new QLineEdit(inputPanel);
        field->setObjectName(name);
        const std::function<void(AnyAddressDialog&)> run = handler;
        connect(field, &QLineEdit::textEdited, this, [this, field, text, run](const QString& typed) {
            // The edits take upper case only.
            const int cursor = field->cursorPosition();
            field->setText(typed.toUpper());
            field->setCursorPosition(cursor);
            state_.*text = typed.toUpper().toStdString();
            run(state_);
            showState();
        });
        return field;
    };
    AddressEdit = edit("AddressEdit", &AnyAddressDialog::addressEdit, &AnyAddressDialog::AddressEditChange);
    ByteNoEdit = edit("ByteNoEdit", &AnyAddressDialog::byteNoEdit, &AnyAddressDialog::ByteNoEditChange);
    DataEdit = edit("DataEdit", &AnyAddressDialog::dataEdit, &AnyAddressDialog::DataEditChange);
    CommandEdit = edit("CommandEdit", &AnyAddressDialog::commandEdit, &AnyAddressDialog::AddressEditChange);
    CommandEdit->setEnabled(false);
    ByteNoLabel = new QLabel(inputPanel);
    DataLabel = new QLabel(inputPanel);
    auto* addressLabel = new QLabel(inputPanel);
    auto* commandLabel = new QLabel(inputPanel);
    auto* pageLabel = new QLabel(inputPanel);
    Captions::of(this)
        .translatedTitle(state.caption)
        .text(addressLabel, "AnyAddrAddress")
        .text(ByteNoLabel, "AnyAddrByteNo")
        .text(DataLabel, "AnyAddrData")
        .text(commandLabel, "AnyAddrCommand")
        .text(pageLabel, "AnyAddrPageRam");
    PageNoComboBox = addList(inputPanel, "PageNoComboBox", {"0", "1"});
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(AddressEdit, 0, 1);
    grid->addWidget(ByteNoLabel, 0, 2);
    grid->addWidget(ByteNoEdit, 0, 3);
    grid->addWidget(DataLabel, 0, 4);
    grid->addWidget(DataEdit, 0, 5);
    grid->addWidget(commandLabel, 1, 0);
    grid->addWidget(CommandEdit, 1, 1);
    grid->addWidget(pageLabel, 1, 2);
    grid->addWidget(PageNoComboBox, 1, 3);
    Label5 = new QLabel(inputPanel);
    Label6 = new QLabel(inputPanel);
    grid->addWidget(Label5, 2, 0, 1, 3);
    grid->addWidget(Label6, 2, 3, 1, 3);
    state_.inputPanelHeight = inputPanel->sizeHint().height();

    DataLengthComboBox1 = addList(this, "DataLengthComboBox1", {"8", "16", "32"});
    DataTypeComboBox1 = addList(this, "DataTypeComboBox1",
                                {"Binary", "Decimal", "Hexiadecimal", "Floating point", "Ascii character"});
    const std::pair<QComboBox*, std::pair<std::string AnyAddressDialog::*, void (AnyAddressDialog::*)()>>
        lists[] = {{PageNoComboBox, {&AnyAddressDialog::pageNoText, &AnyAddressDialog::PageNoComboBoxChange}},
                   {DataLengthComboBox1,
                    {&AnyAddressDialog::dataLengthText, &AnyAddressDialog::DataLengthComboBox1Change}},
                   {DataTypeComboBox1,
                    {&AnyAddressDialog::dataTypeText, &AnyAddressDialog::DataTypeComboBox1Change}}};
    for (const auto& [list, binding] : lists)
        connect(list, &QComboBox::currentTextChanged, this,
                [this, field = binding.first,
                 run = std::function<void(AnyAddressDialog&)>(binding.second)](const QString& text) {
                    state_.*field = text.toStdString();
                    run(state_);
                    showState();
                });

    AnyTxMemo1 = new QPlainTextEdit(this);
    AnyTxMemo1->setObjectName("AnyTxMemo1");
    AnyRxMemo1 = new QPlainTextEdit(this);
    AnyRxMemo1->setObjectName("AnyRxMemo1");
    for (QPlainTextEdit* memo : {AnyTxMemo1, AnyRxMemo1}) memo->setReadOnly(true);
    AnyAddressListView = new QTreeWidget(this);
    AnyAddressListView->setObjectName("AnyAddressListView");
    AnyAddressListView->setRootIsDecorated(false);
    AnyAddressListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    AnyAddressListView->header()->setSectionsClickable(false);
    AnyAddressListView->setStyleSheet("QTreeWidget::item { border: 1px solid #d0d0d0; }");  // grid lines

    btnClose = addButton("btnClose", "Close", &AnyAddressDialog::btnCloseClick);
    btnRead = addButton("btnRead", "AnyAddrRead", &AnyAddressDialog::btnReadClick);
    btnWrite = addButton("btnWrite", "AnyAddrWrite", &AnyAddressDialog::btnWriteClick);
    btnForceOn = addButton("btnForceOn", "AnyAddrForceOn", &AnyAddressDialog::btnForceOnClick);
    btnForceOff = addButton("btnForceOff", "AnyAddrForceOff", &AnyAddressDialog::btnForceOffClick);
    btnStartMonitor =
        addButton("btnStartMonitor", "AnyAddrStartMonitor", &AnyAddressDialog::btnStartMonitorClick);
    btnStopMonitor =
        addButton("btnStopMonitor", "AnyAddrStopMonitor", &AnyAddressDialog::btnStopMonitorClick);
    btnWhichAddress =
        addButton("btnWhichAddress", "AnyAddrWhichAddress", &AnyAddressDialog::btnWhichAddressClick);
    btnMachineCode =
        addButton("btnMachineCode", "AnyAddrMachineCode", &AnyAddressDialog::btnMachineCodeClick);
    // The headers follow a language change at once, not at the next read.
    Captions::of(this).with([this] { showHeaders(); });
    column_ = {DataTypeComboBox1, DataLengthComboBox1, btnClose,      btnRead,
               btnWrite,          btnForceOn,          btnForceOff,   btnStartMonitor,
               btnStopMonitor,    btnWhichAddress,     btnMachineCode};
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    state_.changed = [this] { showState(); };
    setText(DataLengthComboBox1, state_.dataLengthText);
    resize(state_.width, state_.height);
}

QPushButton* TAnyAddressForm::addButton(const char* name, const char* captionId,
                                        void (AnyAddressDialog::*handler)()) {
    auto* button = new QPushButton(this);
    button->setObjectName(name);
    Captions::of(this).text(button, captionId);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, run = std::function<void(AnyAddressDialog&)>(handler)] {
                run(state_);
                showState();
                if (closeAfterLoop_ && !state_.monitoring) close();
            });
    return button;
}

void TAnyAddressForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TAnyAddressForm::closeEvent(QCloseEvent* event) {
    state_.btnCloseClick();
    if (state_.monitoring) {
        // Never destroyed under the loop: it ends at its next pass, and the window closes then.
        closeAfterLoop_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TAnyAddressForm::reject() {
    state_.btnCloseClick();
    if (state_.monitoring) {
        closeAfterLoop_ = true;
        return;
    }
    QDialog::reject();
}

void TAnyAddressForm::placeControls() {
    const AnyAddressLayout& l = state_.layout;
    place(inputPanel, l.inputPanel);
    place(AnyTxMemo1, l.anyTxMemo);
    place(AnyRxMemo1, l.anyRxMemo);
    place(AnyAddressListView, l.listView);
    for (std::size_t i = 0; i < column_.size() && i < l.column.size(); ++i) place(column_[i], l.column[i]);
}

void TAnyAddressForm::showState() {
    state_.width = width();
    state_.height = height();
    state_.btnSetupPanelClick();
    placeControls();
    setText(AddressEdit, state_.addressEdit);
    setText(ByteNoEdit, state_.byteNoEdit);
    setText(DataEdit, state_.dataEdit);
    setText(CommandEdit, state_.commandEdit);
    setText(PageNoComboBox, state_.pageNoText);
    setText(DataTypeComboBox1, state_.dataTypeText);
    Label5->setText(widgetText(state_.label5));
    Label6->setText(widgetText(state_.label6));
    AnyTxMemo1->setPlainText(widgetText(state_.anyTxMemo));
    AnyRxMemo1->setPlainText(widgetText(state_.anyRxMemo));
    showHeaders();
    for (std::size_t i = 0; i < state_.columnWidths.size(); ++i)
        AnyAddressListView->setColumnWidth(static_cast<int>(i), state_.columnWidths[i]);
    AnyAddressListView->clear();
    for (const AnyAddressRow& row : state_.rows)
        new QTreeWidgetItem(AnyAddressListView,
                            {widgetText(row.address), widgetText(row.value), widgetText(row.comment)});
    for (QWidget* widget : std::initializer_list<QWidget*>{DataLabel, DataEdit})
        widget->setEnabled(state_.dataEnabled);
    for (QWidget* widget : std::initializer_list<QWidget*>{ByteNoLabel, ByteNoEdit})
        widget->setEnabled(state_.byteNoEnabled);
    btnRead->setEnabled(state_.readEnabled);
    btnWrite->setEnabled(state_.writeEnabled);
    btnForceOn->setEnabled(state_.forceOnEnabled);
    btnForceOff->setEnabled(state_.forceOffEnabled);
}

void TAnyAddressForm::showHeaders() {
    QStringList headers;
    for (const std::string& column : state_.columns) headers << translatedText(column);
    AnyAddressListView->setHeaderLabels(headers);
}

void runAnyAddressForm(AnyAddressDialog& state) {
    TAnyAddressForm form(state, QApplication::activeWindow());
    form.exec();
    state.changed = nullptr;
}

}  // namespace kestrion::forms
