#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "lang/Language.h"
#include "lang/forms/AboutForm.h"
#include "link/forms/PlcKeywordForm.h"
#include "link/plc/Keywords.h"
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

// A switch re-captions at once the tool bar, the function-key panel, the status bar and a dialog
// that is open; going back to English brings back the English texts.
TEST_F(LanguageMenuTest, EachLanguageCaptionsTheButtonsTheStatusBarAndAnOpenDialogAtOnce) {
    struct Case {
        const char* item;
        const char* newButton;
        const char* writeHint;
        const char* f4;
        const char* status;
        const char* keywordTitle;
        const char* ok;
    };
    const Case cases[] = {
        {"TraditionalChinese1", "新增", "寫入", "F4 轉換", "程式步數 [6/2000]", "密碼設定", "確定"},
        {"SimplifiedChinese1", "新建", "写入", "F4 转换", "程序步数 [6/2000]", "密码设置", "确定"},
        {"JapaneseLanguage1", "新規", "書き込み", "F4 変換", "プログラムステップ [6/2000]",
         "キーワードの設定", "OK"},
        {"Spanish1", "Nuevo", "Escribir", "F4 Convertir", "Pasos del programa [6/2000]",
         "Configurar palabra clave", "Aceptar"},
        {"Turkish1", "Yeni", "Yaz", "F4 Dönüştür", "Program adımı [6/2000]", "Anahtar sözcük ayarı", "Tamam"},
        {"English1", "New", "Write Rpog To PLC", "F4 Convert", "Program step [6/2000]", "Keyword setting",
         "OK"},
    };
    TMainForm form(services);
    form.show();
    platform::statusBar().setPanelText(2, "Program step [6/2000]");
    PlcKeywordDialog keyword;
    keyword.caption = "Keyword setting";
    forms::TplcKeywordForm dialog(keyword, &form);
    dialog.show();
    const auto* status = form.findChild<QLabel*>("mmStatusBarPanel2");
    for (const Case& c : cases) {
        form.action(c.item)->trigger();
        EXPECT_EQ(form.action("spbtnNew")->text().toStdString(), c.newButton) << c.item;
        EXPECT_EQ(form.action("spbtnDnloadProg")->toolTip().toStdString(), c.writeHint) << c.item;
        EXPECT_EQ(form.findChild<QPushButton*>("spbtnF4")->text().toStdString(), c.f4) << c.item;
        EXPECT_EQ(status->text().toStdString(), c.status) << c.item;
        EXPECT_EQ(platform::statusBar().panelText(2), "Program step [6/2000]");  // what the core reads
        EXPECT_EQ(dialog.windowTitle().toStdString(), c.keywordTitle) << c.item;
        EXPECT_EQ(dialog.btnOk->text().toStdString(), c.ok) << c.item;
    }
}

TEST_F(LanguageMenuTest, AMessageBoxKeepsItsTextAndCaptionAndAnswersInTheLanguage) {
    selectLanguageFlags(3);  // Japanese
    std::string text, caption, yes, cancel;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text().toStdString();
        caption = box->windowTitle().toStdString();
        yes = box->button(QMessageBox::Yes)->text().toStdString();
        cancel = box->button(QMessageBox::Cancel)->text().toStdString();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(platform::messages().show("This file has existed, do you want to overwrite ?", "Msg2014101801",
                                        platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel),
              platform::MsgAnswer::No);
    EXPECT_EQ(
        std::make_tuple(text, caption, yes, cancel),
        std::make_tuple(std::string("This file has existed, do you want to overwrite ?"),
                        std::string("Msg2014101801"), std::string("はい(&Y)"), std::string("キャンセル")));
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
