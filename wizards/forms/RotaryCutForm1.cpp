#include "wizards/forms/RotaryCutForm1.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

struct Row {
    const char* before;
    const char* edit;
    const char* after;
    int maxLength;
};

}  // namespace

TRotaryCutForm1::TRotaryCutForm1(RotaryCutCalculator& rules, QWidget* parent)
    : QDialog(parent), rules_(rules) {
    setObjectName("RotaryCutForm1");
    setWindowTitle("RotaryCut");
    systemMenuOnly(*this);
    binder = new CalculatorBinder(rules_, this);
    auto* layout = new QVBoxLayout(this);
    const auto group = [&](const char* caption, std::initializer_list<Row> rows) {
        auto* box = new QGroupBox(caption, this);
        auto* grid = new QHBoxLayout(box);
        for (const Row& row : rows) {
            if (*row.before != '\0') grid->addWidget(new QLabel(QString::fromUtf8(row.before), box));
            QLineEdit* edit = binder->edit(box, row.edit, row.maxLength);
            edit->setFixedWidth(110);
            grid->addWidget(edit);
            grid->addWidget(new QLabel(row.after, box));
            grid->addSpacing(16);
        }
        grid->addStretch(1);
        layout->addWidget(box);
    };
    group("Motor", {{"馬達一轉脈波數", "MotorResolutionEdit", "pulse/rev (1~999,999)", 6},
                    {"馬達一轉移動量", "MotorMovementEdit", "um/rev (1~999,999)", 6},
                    {"", "umPerPulseEdit", "um/pulse", 0}});
    group("Tool", {{"刀具圓周半徑", "ToolRadiusEdit", "um", 8},
                   {"刀具圓周長", "ToolCircumferenceEdit", "um", 0},
                   {"刀具圓周長", "pulseToolLengthEdit", "pulse", 0}});
    group("Data", {{"裁剪長度", "CutLengthEdit", "um", 10},
                   {"同步開始", "SynchronizeStartEdit", "um", 10},
                   {"同步結束", "SynchronizeEndEdit", "um", 10}});
    group("Gear", {{"分子", "NumeratorEdit1", "1~9999", 4}, {"分母", "DenominatorEdit1", "1~9999", 4}});
    group("Sampling time", {{"中斷取樣時間", "InterruptTimeEdit", "ms", 2}});
    for (const char* readOnly : {"ToolCircumferenceEdit", "pulseToolLengthEdit"})
        findChild<QLineEdit*>(readOnly)->setReadOnly(true);
    auto* bottom = new QHBoxLayout;
    auto* description = new QLabel(this);
    binder->bind(description, "Description");
    bottom->addWidget(description, 1);
    btnOk = new QPushButton("OK", this);
    btnOk->setObjectName("btnOk");
    bottom->addWidget(btnOk);
    layout->addLayout(bottom);
    resize(948, 420);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TRotaryCutForm1::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        rules_.FormShow();
        binder->sync();
    }
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void runRotaryCutForm1(RotaryCutCalculator& rules) {
    TRotaryCutForm1 form(rules, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
