#include "wizards/forms/SystemSetupForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

QCheckBox* checkBox(QWidget* parent, QVBoxLayout* layout, const char* name, const char* caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    layout->addWidget(box);
    return box;
}

}  // namespace

TSystemSetupForm::TSystemSetupForm(SystemSetupDialog& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("SystemSetupForm");
    systemMenuOnly(*this);
    setFixedSize(518, 368);
    auto* panel = placed<QFrame>(this, "Panel1", 8, 8, 502, 316);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PageControl1 = placed<QTabWidget>(panel, "PageControl1", 4, 4, 494, 308);

    auto* display = new QWidget(PageControl1);
    auto* displayLayout = new QVBoxLayout(display);
    auto* options = new QGroupBox("Display options", display);
    options->setObjectName("GroupBox1");
    auto* optionsLayout = new QVBoxLayout(options);
    DoNotShowTemplatesDeclared =
        checkBox(options, optionsLayout, "DoNotShowTemplatesDeclared", "Do not show templates declared ");
    ShowDeviceComment = checkBox(options, optionsLayout, "ShowDeviceComment", "Show device comment");
    ShowBlockComment = checkBox(options, optionsLayout, "ShowBlockComment", "Show block comment");
    ShowCoilComment = checkBox(options, optionsLayout, "ShowCoilComment", "Show coil comment");
    displayLayout->addWidget(options);
    auto* gb2 = new QGroupBox("GB2", display);
    gb2->setObjectName("GB2");
    displayLayout->addWidget(gb2, 1);
    PageControl1->addTab(display, "Display");

    auto* program = new QWidget(PageControl1);
    auto* programLayout = new QVBoxLayout(program);
    auto* user = new QGroupBox("User program", program);
    auto* userLayout = new QVBoxLayout(user);
    DisableProgramRead = checkBox(user, userLayout, "DisableProgramRead", "Disable program read");
    DisableProgramRead->setEnabled(false);
    programLayout->addWidget(user);
    programLayout->addStretch(1);
    PageControl1->addTab(program, "Program");
    PageControl1->addTab(new QWidget(PageControl1), "Ladder");

    btnOk = placed<QPushButton>(this, "btnOk", 218, 332, 82, 28, "OK");
    btnOk->setDefault(true);
    Captions::of(this)
        .title("SystemSetupCaption")
        .title(options, "SystemSetupDisplayOptions")
        .text(DoNotShowTemplatesDeclared, "SystemSetupNoTemplateNote")
        .text(ShowDeviceComment, "SystemSetupDeviceComment")
        .text(ShowBlockComment, "SystemSetupBlockComment")
        .text(ShowCoilComment, "SystemSetupCoilComment")
        .title(user, "SystemSetupUserProgram")
        .text(DisableProgramRead, "SystemSetupNoProgramRead")
        .with([tabs = PageControl1] {
            const char* const pages[] = {"SystemSetupDisplay", "SystemSetupProgram", "SystemSetupLadder"};
            for (int page = 0; page < tabs->count(); ++page) tabs->setTabText(page, captionText(pages[page]));
        });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(DoNotShowTemplatesDeclared, &QCheckBox::clicked, this,
            [this](bool checked) { state_.DoNotShowTemplatesDeclaredClick(checked); });
    connect(ShowDeviceComment, &QCheckBox::clicked, this,
            [this](bool checked) { state_.ShowDeviceCommentClick(checked); });
    connect(ShowBlockComment, &QCheckBox::clicked, this,
            [this](bool checked) { state_.ShowBlockCommentClick(checked); });
    connect(ShowCoilComment, &QCheckBox::clicked, this,
            [this](bool checked) { state_.ShowCoilCommentClick(checked); });
}

void TSystemSetupForm::showEvent(QShowEvent* event) {
    DoNotShowTemplatesDeclared->setChecked(state_.doNotShowTemplatesDeclared);
    ShowDeviceComment->setChecked(state_.showDeviceComment);
    ShowBlockComment->setChecked(state_.showBlockComment);
    ShowCoilComment->setChecked(state_.showCoilComment);
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void runSystemSetupForm(SystemSetupDialog& state) {
    TSystemSetupForm form(state, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
