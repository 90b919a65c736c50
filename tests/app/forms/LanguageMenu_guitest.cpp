#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "lang/forms/AboutForm.h"
#include "support/Fixture.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class LanguageMenuTest : public kestrion::test::RealServicesTest {
protected:
    LanguageMenuTest() : RealServicesTest("language") {}
};

TEST_F(LanguageMenuTest, EachLanguageCaptionsTheMenusAtOnceAndTheLastOneOutlivesARestart) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"TraditionalChinese1", "檔案(&F)", "結束(&X)"},
        {"SimplifiedChinese1", "文件(&F)", "退出(&X)"},
        {"JapaneseLanguage1", "ファイル(&F)", "終了(&X)"},
        {"Spanish1", "&Archivo", "&Salir"},
        {"Turkish1", "&Dosya", "Çı&kış"},
        {"English1", "&File", "E&xit"},
        {"JapaneseLanguage1", "ファイル(&F)", "終了(&X)"},
    };
    {
        TMainForm form(services);
        form.show();
        EXPECT_EQ(form.menu("FileMenu")->title(), "&File");
        for (const auto& [item, file, exit] : cases) {
            form.action(item)->trigger();
            EXPECT_EQ(form.menu("FileMenu")->title().toStdString(), file) << item;
            EXPECT_EQ(form.action("Exit1")->text().toStdString(), exit) << item;
            EXPECT_TRUE(form.action(item)->isChecked());
        }
        // The close box writes the settings and ends the loop.
        QTimer::singleShot(0, &form, [&form] { form.close(); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // never hang the suite
        EXPECT_EQ(QApplication::exec(), 0);
    }
    test::resetAllState();
    TMainForm again(services);
    EXPECT_EQ(again.menu("FileMenu")->title().toStdString(), "ファイル(&F)");
    EXPECT_TRUE(again.action("JapaneseLanguage1")->isChecked());
}

TEST_F(LanguageMenuTest, TheAboutBoxShowsTheProgramInTheInterfaceLanguage) {
    TMainForm form(services);
    form.show();
    form.action("TraditionalChinese1")->trigger();
    QString title, version;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<forms::TAboutTovelForm*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        version = box->TitleLabel->text();
        box->btnOk->click();
    });
    form.action("About1")->trigger();
    EXPECT_EQ(title.toStdString(), "關於");
    EXPECT_TRUE(version.startsWith("Kestrion Version")) << version.toStdString();
}

}  // namespace
}  // namespace kestrion::app
