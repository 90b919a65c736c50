// The File commands in the main window as a technician meets them first: New's two boxes and their
// Cancel, the desktop keys of the File menu, and the templates shipped with the program, which
// open as unnamed programs so that nothing writes into the program's own data folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string_view>

#include "app/MainView.h"
#include "app/TemplateCommands.h"
#include "app/forms/FileTitleForm.h"
#include "app/forms/MainUnit.h"
#include "link/forms/Parameter1Form.h"
#include "model/core/MainState.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "support/gui/RealServicesTest.h"
#include "wizards/TemplateMenu.h"

namespace kestrion::app {
namespace {

namespace fs = std::filesystem;

class FileCommandsWindowTest : public kestrion::test::RealServicesTest {
protected:
    FileCommandsWindowTest() : RealServicesTest("filecommands") {
        QObject::connect(&driver, &QTimer::timeout, [this] { answer(); });
        driver.start(10);
        form.show();
    }
    // Each box is answered as its script says: a key typed into it or a button; the boxes met are
    // listed by their titles.
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->property("answered").toBool()) return;
        modal->setProperty("answered", true);
        if (!modal->property("met").toBool()) met << modal->windowTitle();
        modal->setProperty("met", true);
        if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) {
            if (typeKey != 0) {
                QTest::keyClick(type, static_cast<Qt::Key>(typeKey));
            } else {
                type->btnOk->click();
            }
        } else if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) {
            if (parameterKey != 0) {
                QTest::keyClick(parameters, static_cast<Qt::Key>(parameterKey));
            } else {
                parameters->btnOk->click();
            }
        } else if (auto* file = qobject_cast<QFileDialog*>(modal)) {
            proposed = file->directory().absolutePath().toStdString();
            if (chosenFile.empty()) {
                file->reject();
                return;
            }
            // The name goes in only once the dialog takes it (its folder is read while it opens, in
            // a thread of its own: the folder is set once, or a slow read would start again at
            // every tick and never end).
            const QFileInfo chosen(QString::fromStdString(chosenFile));
            if (!file->property("folderSet").toBool()) file->setDirectory(chosen.absolutePath());
            file->setProperty("folderSet", true);
            kestrion::test::enterFileName(*file, chosen.absoluteFilePath());
            if (file->selectedFiles().value(0) != chosen.absoluteFilePath()) {
                modal->setProperty("answered", false);
                return;
            }
            QMetaObject::invokeMethod(file, "accept");
        } else if (auto* title = qobject_cast<forms::TFileTitleForm*>(modal)) {
            titles << title->TitleEdit->text();
            titleLabel = title->TitleLabel->text() +
                         (title->TitleLabel->buddy() == title->TitleEdit ? "" : " (alone)");
            title->btnOk->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            met.last() = "box: " + box->text();
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->accept();
        }
    }
    bool programShown() const { return form.EditPanel1->isVisible(); }

    QTimer driver;
    int typeKey = 0;
    int parameterKey = 0;
    std::string chosenFile;
    std::string proposed;
    QStringList met;
    QStringList titles;
    QString titleLabel;
    TMainForm form{services};
};

TEST_F(FileCommandsWindowTest, EscapeOnEitherBoxOfNewEndsItWithNothingChanged) {
    parameterKey = Qt::Key_Escape;
    form.action("New1")->trigger();
    EXPECT_EQ(met.join(",").toStdString(), "Type setting,Parameter settings");
    EXPECT_FALSE(programShown());
    EXPECT_FALSE(form.action("Save1")->isEnabled());

    met.clear();
    parameterKey = 0;
    typeKey = Qt::Key_Escape;
    form.action("New1")->trigger();
    EXPECT_EQ(met.join(",").toStdString(), "Type setting");
    EXPECT_FALSE(programShown());

    typeKey = 0;
    form.action("New1")->trigger();
    ASSERT_TRUE(programShown());
    const std::string name = currentFileName();

    // A new program counts as modified: New asks first (No), then Escape on the parameter box.
    met.clear();
    parameterKey = Qt::Key_Escape;
    form.action("New1")->trigger();
    EXPECT_EQ(met.join(",").toStdString(),
              "box: Do you want to save current file before close ?,Type setting,Parameter settings");
    EXPECT_FALSE(programShown());  // the close the user answered stays done
    EXPECT_EQ(currentFileName(), name);
}

TEST_F(FileCommandsWindowTest, CancelOnTheParameterBoxKeepsAnOpenUnchangedProgramAsItWas) {
    form.action("New1")->trigger();
    chosenFile = (home / "Kept.PMW").string();
    form.action("SaveAs1")->trigger();
    ASSERT_TRUE(fs::exists(chosenFile));
    const PmwImage saved = pmw;
    met.clear();
    parameterKey = Qt::Key_Escape;
    form.action("New1")->trigger();
    EXPECT_EQ(met.join(",").toStdString(), "Type setting,Parameter settings");
    EXPECT_TRUE(programShown());
    EXPECT_EQ(pmw, saved);
    EXPECT_EQ(currentFileName(), chosenFile);
    EXPECT_TRUE(form.action("Save1")->isEnabled());
}

// A template shipped with the program opens as an unnamed program that keeps its title; Save asks
// for a name in the User folder, and the shipped files stay as they are, none added beside them.
TEST_F(FileCommandsWindowTest, SaveOnAShippedTemplateAsksForANameInTheUserFolder) {
    const fs::path folder = fs::path(files.dataDirectory()) / "Template" / "E" / "IO";
    const auto snapshot = [&folder] {
        std::map<std::string, std::string> kept;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            kept[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return kept;
    };
    const auto before = snapshot();
    ModeData.viewFlags |= kViewTemplateDisclaimerOff;
    std::size_t entry = 0;
    while (std::string_view(templateEntries()[entry].target.file) != "\\Template\\E\\IO\\1.PMW") ++entry;
    form.action(QString::fromStdString(templateObjectName(entry)))->trigger();
    ASSERT_TRUE(programShown());
    EXPECT_EQ(currentFileName(), (home / "User" / "1.PMW").string());
    EXPECT_EQ(form.windowTitle().toStdString(),
              "Kestrion Version 2.1.1108 - " + (home / "User" / "1").string());
    ASSERT_EQ(titles.size(), 1);             // the Open's title box, with the template's title
    EXPECT_EQ(titleLabel, "Program title");  // the field says what it holds

    met.clear();
    chosenFile = (home / "User" / "Mine.PMW").string();
    form.action("Save1")->trigger();
    EXPECT_EQ(met.join(",").toStdString(), "Save File As,Save as");
    EXPECT_EQ(proposed, (home / "User").string());
    EXPECT_EQ(titles.last(), titles.first());  // the title goes along
    EXPECT_TRUE(fs::exists(chosenFile));
    EXPECT_TRUE(fs::exists(home / "User" / "Mine.COW"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(currentFileName(), chosenFile);
}

// Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Q, typed to the window as the window system delivers them.
TEST_F(FileCommandsWindowTest, TheDesktopKeysRunNewOpenSaveAndExit) {
    const std::pair<const char*, const char*> keys[] = {
        {"New1", "Ctrl+N"}, {"Open1", "Ctrl+O"}, {"Save1", "Ctrl+S"}, {"Exit1", "Ctrl+Q"}};
    for (const auto& [item, key] : keys) EXPECT_EQ(form.action(item)->shortcut(), QKeySequence(key)) << item;
    // The offscreen platform gives the window back its focus after a box only when asked.
    const auto press = [this](Qt::Key key) {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.windowHandle(), key, Qt::ControlModifier);
    };

    press(Qt::Key_N);
    EXPECT_EQ(met.join(",").toStdString(), "Type setting,Parameter settings");
    ASSERT_TRUE(programShown());
    met.clear();
    chosenFile = (home / "Keys.PMW").string();
    press(Qt::Key_S);  // a new program has no name: Save goes through Save As
    EXPECT_EQ(met.join(",").toStdString(), "Save File As,Save as");
    EXPECT_TRUE(fs::exists(chosenFile));
    form.action("Close1")->trigger();
    ASSERT_FALSE(programShown());
    met.clear();
    press(Qt::Key_O);
    EXPECT_EQ(met.join(",").toStdString(), "File Open,Open");
    EXPECT_TRUE(programShown());
    EXPECT_EQ(currentFileName(), chosenFile);
    press(Qt::Key_Q);  // nothing unsaved: no question
    EXPECT_TRUE(appState.exitRequested);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace kestrion::app
