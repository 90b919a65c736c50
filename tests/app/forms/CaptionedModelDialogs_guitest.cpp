#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "app/forms/CaptionedModelDialogs.h"
#include "lang/Language.h"
#include "model/forms/StackCodeForm.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class CaptionedModelDialogsTest : public CoreTest {};

TEST_F(CaptionedModelDialogsTest, TheStackCodeViewShowsItsCaptionInTheLanguageAndItsTextsAsTheyAre) {
    selectLanguageFlags(3);  // Japanese
    QString caption;
    QString text2;
    QTimer::singleShot(0, [&] {
        if (auto* form = qobject_cast<forms::TstackCodeForm*>(QApplication::activeModalWidget())) {
            caption = form->windowTitle();
            text2 = form->Edit2->text();
            form->reject();
        }
    });
    forms::CaptionedModelDialogs().showStackCode(
        {"[push] 00.stack0 overflow error ", "64", "[search] _stackOverError(0,0,s) ...Error2018031600"});
    EXPECT_EQ(caption.toStdString(), "[push] 00.stack0 オーバーフローエラー ");
    EXPECT_EQ(text2.toStdString(), "[search] _stackOverError(0,0,s) ...Error2018031600");
}

}  // namespace
}  // namespace kestrion::test
