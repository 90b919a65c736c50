#include "monitor/forms/RegisterDeviceForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

// The core knows the display types by their English names; the list shows them in the language.
constexpr std::pair<const char*, const char*> kDisplayTypes[] = {
    {"Binary", "RegViewBinary"},
    {"Decimal", "RegViewDecimal"},
    {"Hexadecimal", "RegisterDeviceHexadecimal"},
    {"Ascii", "RegViewAscii"},
    {"Floating point", "RegisterDeviceFloating"}};

std::string englishDisplayType(const QString& shown) {
    for (const auto& [english, id] : kDisplayTypes)
        if (shown == captionText(id)) return english;
    return shown.toStdString();
}

QString shownDisplayType(const std::string& type) {
    for (const auto& [english, id] : kDisplayTypes)
        if (type == english) return captionText(id);
    return widgetText(type);
}

QLineEdit* editIn(QGroupBox* box, const char* name) {
    auto* edit = new QLineEdit(box);
    edit->setObjectName(name);
    (new QHBoxLayout(box))->addWidget(edit);
    return edit;
}

}  // namespace

TregisterDeviceForm::TregisterDeviceForm(RegisterDeviceDialog& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state) {
    setObjectName("registerDeviceForm");
    auto* layout = new QGridLayout(this);
    auto* GroupBox1 = new QGroupBox(this);
    MonDeviceEdit1 = editIn(GroupBox1, "MonDeviceEdit1");
    auto* GroupBox2 = new QGroupBox(this);
    MonDeviceNoEdit2 = editIn(GroupBox2, "MonDeviceNoEdit2");
    auto* sizeBox = new QGroupBox(this);
    auto* sizeLayout = new QHBoxLayout(sizeBox);
    registerDeviceRadioGroup = new QButtonGroup(this);
    int id = 0;
    for (const char* item : {"16bits ", "32bits"}) {
        auto* radio = new QRadioButton(item, sizeBox);
        registerDeviceRadioGroup->addButton(radio, id++);
        sizeLayout->addWidget(radio);
    }
    auto* GroupBox3 = new QGroupBox(this);
    dispTypeComboBox = new QComboBox(GroupBox3);
    dispTypeComboBox->setObjectName("dispTypeComboBox");
    for (const auto& [english, id] : kDisplayTypes) dispTypeComboBox->addItem(english);
    (new QHBoxLayout(GroupBox3))->addWidget(dispTypeComboBox);
    btnRegister = new QPushButton(this);
    btnRegister->setObjectName("btnRegister");
    btnRegister->setDefault(true);
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    Captions& captions = Captions::of(this)
                             .translatedTitle(state.caption)
                             .title(GroupBox1, "CommentDevice")
                             .title(GroupBox2, "RegisterDeviceCount")
                             .title(sizeBox, "RegisterDeviceSize")
                             .title(GroupBox3, "RegisterDeviceDisplay")
                             .text(btnRegister, "RegisterDeviceRegister");
    for (QAbstractButton* size : registerDeviceRadioGroup->buttons())
        captions.text(size, registerDeviceRadioGroup->id(size) == 0 ? "RegView16bits" : "RegView32bits");
    captions.with([this] {
        const QSignalBlocker blocker(dispTypeComboBox);
        for (int i = 0; i < dispTypeComboBox->count(); ++i)
            dispTypeComboBox->setItemText(i, captionText(kDisplayTypes[static_cast<std::size_t>(i)].second));
        dispTypeComboBox->setCurrentText(shownDisplayType(state_.displayText));
    });
    layout->addWidget(GroupBox1, 0, 0);
    layout->addWidget(GroupBox2, 0, 1);
    layout->addWidget(sizeBox, 1, 0);
    layout->addWidget(GroupBox3, 1, 1);
    layout->addWidget(btnRegister, 2, 0);
    layout->addWidget(btnCancel, 2, 1);

    state_.FormShow();
    connect(MonDeviceEdit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        state_.MonDeviceEdit1Change(text.toStdString());
        showState();
    });
    connect(MonDeviceNoEdit2, &QLineEdit::textEdited, this, [this](const QString& text) {
        state_.MonDeviceNoEdit2Change(text.toStdString());
        showState();
        if (MonDeviceNoEdit2->text() == "1" && text != "1") MonDeviceNoEdit2->selectAll();
    });
    connect(registerDeviceRadioGroup, &QButtonGroup::idClicked, this,
            [this](int index) { state_.registerDeviceRadioGroupClick(index); });
    connect(dispTypeComboBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        state_.dispTypeComboBoxChange(englishDisplayType(text));
        showState();
    });
    connect(btnRegister, &QPushButton::clicked, this, [this] {
        state_.btnRegisterClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
    showState();
    keepLaidOutSize(*this);
}

void TregisterDeviceForm::showState() {
    const QSignalBlocker blockDevice(MonDeviceEdit1);
    const QSignalBlocker blockCount(MonDeviceNoEdit2);
    const QSignalBlocker blockType(dispTypeComboBox);
    if (MonDeviceEdit1->text() != widgetText(state_.deviceText))
        MonDeviceEdit1->setText(widgetText(state_.deviceText));
    if (MonDeviceNoEdit2->text() != widgetText(state_.countText))
        MonDeviceNoEdit2->setText(widgetText(state_.countText));
    registerDeviceRadioGroup->button(state_.sizeIndex)->setChecked(true);
    dispTypeComboBox->setCurrentText(shownDisplayType(state_.displayText));
}

}  // namespace kestrion::forms
