#include "editor/forms/ProgressForm.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

namespace kestrion::forms {
namespace {

TEST(ProgressFormTest, TheWindowShowsTheCaptionAndRangeFollowsThePositionAndHides) {
    QtProgress progress;
    progress.setPosition(3);  // before any showing: nothing to move
    progress.hide();
    EXPECT_EQ(progress.form(), nullptr);
    progress.show("Convert", 2, 40);
    TProgressForm* form = progress.form();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Convert");
    const QPoint offCentre =
        form->frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);  // not at the screen's corner
    EXPECT_EQ(std::make_tuple(form->ProgressBar1->minimum(), form->ProgressBar1->maximum(),
                              form->ProgressBar1->value()),
              std::make_tuple(2, 40, 2));
    progress.setPosition(17);
    EXPECT_EQ(form->ProgressBar1->value(), 17);
    progress.hide();
    EXPECT_FALSE(form->isVisible());
    progress.show("Load", 0, 5);  // the same window again
    EXPECT_EQ(progress.form(), form);
    EXPECT_EQ(form->windowTitle(), "Load");
}

}  // namespace
}  // namespace kestrion::forms
