#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/forms/FileTitleForm.h"
#include "app/forms/MainUnit.h"
#include "editor/forms/LadderViewForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/core/MainState.h"
#include "model/forms/PlcTypeForm.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

namespace fs = std::filesystem;

class FileMenuTest : public kestrion::test::RealServicesTest {
protected:
    FileMenuTest() : RealServicesTest("filemenu") {
        QObject::connect(&driver, &QTimer::timeout, [this] { answerDialog(); });
        driver.start(10);
    }
    void answerDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) {
            type->btnOk->click();
        } else if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) {
            parameters->btnOk->click();
        } else if (auto* file = qobject_cast<QFileDialog*>(modal)) {
            dialogTitles << file->windowTitle();
            kestrion::test::enterFileName(*file, QString::fromStdString(chosenFile));
            QMetaObject::invokeMethod(file, "accept");
        } else if (auto* title = qobject_cast<forms::TFileTitleForm*>(modal)) {
            dialogTitles << title->windowTitle();
            title->TitleEdit->setText("Pump line");
            title->btnOk->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            dialogTitles << "box: " + box->text();
            box->reject();
        }
    }
    QTimer driver;
    std::string chosenFile;
    QStringList dialogTitles;
};

TEST_F(FileMenuTest, NewSaveAsCloseAndOpenThroughTheMenus) {
    TMainForm form(services);
    form.show();
    form.action("New1")->trigger();
    EXPECT_TRUE(form.action("Save1")->isEnabled());
    EXPECT_EQ(form.ProjectScrollBox->widget(), static_cast<QWidget*>(form.ladderEditScreen));
    const QTimer& drawing = services.timers.timer(platform::TimerId::Timer2);
    EXPECT_TRUE(drawing.isActive());
    EXPECT_EQ(drawing.interval(), 250);
    form.statusPanels[5]->clear();
    QTest::qWait(300);  // the drawing timer shows the port again
    EXPECT_EQ(form.statusPanels[5]->text(), "COM1 Br9600");
    EXPECT_EQ(form.windowTitle().toStdString(),
              "Kestrion Version 2.1.1108 - " + home.string() + "/User/Noname01");
    const fs::path folder = home / "saved";
    fs::create_directories(folder);
    chosenFile = (folder / "Pump.PMW").string();
    form.action("SaveAs1")->trigger();
    EXPECT_TRUE(fs::exists(folder / "Pump.PMW"));
    form.action("Close1")->trigger();
    EXPECT_FALSE(form.EditPanel1->isVisible());
    EXPECT_FALSE(form.action("Save1")->isEnabled());
    form.action("Open1")->trigger();
    EXPECT_TRUE(form.EditPanel1->isVisible());
    QCoreApplication::processEvents();  // the panels show their last texts
    EXPECT_EQ(form.statusPanels[0]->text(), "End of Open File...");
    EXPECT_TRUE(form.statusPanels[2]->text().startsWith("Program step [0/"));
    EXPECT_EQ(currentFileName(), chosenFile);
    EXPECT_EQ(form.FileTitleMemo->toPlainText(), "Pump line");
    EXPECT_EQ(dialogTitles.join(",").toStdString(), "Save File As,Save as,File Open,Open");
}

}  // namespace
}  // namespace kestrion::app
