#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "model/forms/QtModelDialogs.h"
#include "model/forms/StackCodeForm.h"

namespace kestrion::forms {
namespace {

struct SeenView {
    bool modal = false;
    QString caption;
    QString text1;
    QString text2;
};

SeenView showAndClose(const StackCodeView& view) {
    SeenView seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* form = qobject_cast<TstackCodeForm*>(modal)) {
            seen.modal = form->isModal() && form->isVisible();
            seen.caption = form->windowTitle();
            seen.text1 = form->Edit1->text();
            seen.text2 = form->Edit2->text();
            form->reject();
        } else if (modal != nullptr) {
            modal->close();
        }
    });
    QtModelDialogs().showStackCode(view);  // as the converter stacks reach it
    return seen;
}

TEST(StackCodeFormTest, ShowsCaptionAndTextsModallyAndIsKeptHiddenForTheNextTime) {
    const SeenView first = showAndClose(
        {"[push] 00.stack0 overflow error ", "64", "[search] _stackOverError(0,0,s) ...Error2018031600"});
    EXPECT_TRUE(first.modal);
    EXPECT_EQ(first.caption, "[push] 00.stack0 overflow error ");
    EXPECT_EQ(first.text1, "64");
    EXPECT_EQ(first.text2, "[search] _stackOverError(0,0,s) ...Error2018031600");
    ASSERT_FALSE(stackCodeForm.isNull());
    EXPECT_TRUE(stackCodeForm->isHidden());
    EXPECT_TRUE(stackCodeForm->Edit1->isReadOnly());
    TstackCodeForm* made = stackCodeForm.data();
    const SeenView second = showAndClose({"caption", "70", "text"});
    EXPECT_EQ(stackCodeForm.data(), made);
    EXPECT_EQ(second.caption, "caption");
    EXPECT_EQ(second.text1, "70");
    delete stackCodeForm.data();
}

}  // namespace
}  // namespace kestrion::forms
