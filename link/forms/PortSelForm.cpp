#include "link/forms/PortSelForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "link/line/CommRecord.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TPortSelForm::TPortSelForm(QWidget* parent) : QDialog(parent) {
    setObjectName("PortSelForm");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);

    comPortComboBox = new QComboBox(this);
    comPortComboBox->setObjectName("comPortComboBox");
    comPortComboBox->setEditable(true);
    comPortComboBox->setMaxVisibleItems(12);
    for (int i = 1; i <= 8; ++i) comPortComboBox->addItem(QString("COM%1").arg(i));
    layout->addWidget(comPortComboBox);
    deviceLabel = new QLabel(this);
    deviceLabel->setObjectName("deviceLabel");
    layout->addWidget(deviceLabel);
    portListView = new QTreeWidget(this);
    portListView->setObjectName("portListView");
    portListView->setRootIsDecorated(false);
    portListView->setMinimumWidth(520);
    layout->addWidget(portListView);

    auto* group = new QGroupBox(this);
    group->setObjectName("baudRateRadioGroup");
    auto* row = new QHBoxLayout(group);
    baudRateRadioGroup = new QButtonGroup(this);
    static const char* const rates[kPortSelBaudItems] = {"9600", "19200", "38400", "57600", "115200"};
    for (int i = 0; i < kPortSelBaudItems; ++i) {
        auto* button = new QRadioButton(rates[i], group);
        row->addWidget(button);
        baudRateRadioGroup->addButton(button, i);
    }
    layout->addWidget(group);

    btnOk = new QPushButton("OK", this);
    btnOk->setObjectName("btnOk");
    layout->addWidget(btnOk);

    Captions::of(this).with([list = portListView] {
        list->setHeaderLabels(
            {captionText("PortSelPort"), captionText("PortSelDevice"), captionText("PortSelAdapter")});
    });

    connect(comPortComboBox, &QComboBox::textActivated, this, &TPortSelForm::comPortComboBoxChange);
    connect(comPortComboBox->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { comPortComboBoxChange(comPortComboBox->currentText()); });
    connect(baudRateRadioGroup, &QButtonGroup::idClicked, this, &TPortSelForm::baudRateRadioGroupClick);
    connect(btnOk, &QPushButton::clicked, this, &TPortSelForm::btnOkClick);
    connect(portListView, &QTreeWidget::itemClicked, this, &TPortSelForm::portListViewClick);
}

void TPortSelForm::showEvent(QShowEvent* event) {
    FormShow();
    widenForTitle(*this);
    QDialog::showEvent(event);
    // Centred on the screen, not over the window that opens it.
    adjustSize();
    centreOnScreen(*this);
}

void TPortSelForm::FormShow() {
    const PortSelView view = state.FormShow();
    fillPortList();
    comPortComboBox->setCurrentText(widgetText(view.comText));
    if (QAbstractButton* button = baudRateRadioGroup->button(view.baudItemIndex)) button->setChecked(true);
    showDevice();
}

void TPortSelForm::comPortComboBoxChange(const QString& text) {
    comPortComboBox->setCurrentText(widgetText(state.comPortComboBoxChange(text.toStdString())));
    showDevice();
}

void TPortSelForm::baudRateRadioGroupClick(int itemIndex) {
    const int shown = state.baudRateRadioGroupClick(itemIndex);
    if (QAbstractButton* button = baudRateRadioGroup->button(shown)) button->setChecked(true);
}

void TPortSelForm::btnOkClick() {
    // A port typed into the box counts even when the box never lost the focus before the click.
    comPortComboBoxChange(comPortComboBox->currentText());
    state.btnOkClick();
    accept();
}

void TPortSelForm::fillPortList() {
    rows_ = portSelRows();
    portListView->clear();
    for (const PortSelRow& row : rows_)
        new QTreeWidgetItem(portListView,
                            {widgetText(row.com), widgetText(row.device), translatedText(row.detail)});
    for (int column = 0; column < portListView->columnCount(); ++column)
        portListView->resizeColumnToContents(column);
}

void TPortSelForm::portListViewClick(QTreeWidgetItem* item) {
    if (item != nullptr) comPortComboBoxChange(item->text(0));
}

void TPortSelForm::showDevice() {
    const auto index = static_cast<std::size_t>(comPortIndex);
    if (index < rows_.size()) {
        const PortSelRow& row = rows_[index];
        deviceLabel->setText(row.detail.empty() ? widgetText(row.device)
                                                : widgetText(row.device + "  ") + translatedText(row.detail));
        portListView->setCurrentItem(portListView->topLevelItem(static_cast<int>(index)));
    } else {
        deviceLabel->setText(widgetText(platform::serial().deviceName(static_cast<int>(index) + 1)));
    }
}

bool runPortSelForm(const std::string& caption) {
    TPortSelForm form(QApplication::activeWindow());
    Captions::of(&form).translatedTitle(caption);
    form.exec();
    return form.state.confirmed;
}

}  // namespace kestrion::forms
