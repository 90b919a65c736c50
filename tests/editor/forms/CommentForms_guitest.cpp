#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "editor/ViewTestSupport.h"
#include "editor/forms/CommentEditForm.h"
#include "editor/forms/CommentListPanel.h"
#include "model/image/CommentLists.h"

namespace kestrion::test {
namespace {

class CommentFormsTest : public ViewTest {
protected:
    CommentFormsTest() {
        typeContactCoilAndBranch();
        fakes.messages.shown.clear();
    }
};

TEST_F(CommentFormsTest, TheDialogStaysOpenOnARefusedDeviceAndClosesOnAGoodOne) {
    BlueFrame = {1040, 0, 1119, 63};
    CommentEditDialog dialog = commentDialogAtFrame();
    bool accepted = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<forms::TCommentEditForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->DeviceEdit->text(), "Y000");
        EXPECT_EQ(form->CoilCommentLabel->text(), "Coil comment, OUT Y0");
        EXPECT_TRUE(form->BlockCommentEdit->isEnabled() && form->CoilCommentEdit->isEnabled());
        form->DeviceEdit->setText("Q7");
        form->DeviceCommentEdit->setText("Lamp");
        form->btnOk->click();
        EXPECT_TRUE(form->isVisible());  // refused: the texts stay to be corrected
        EXPECT_EQ(form->DeviceCommentEdit->text(), "Lamp");
        form->DeviceEdit->setText("Y1");
        form->CoilCommentEdit->setText("Pump");
        form->btnOk->click();
        EXPECT_FALSE(form->isVisible());
    });
    accepted = forms::runCommentEditForm(dialog);
    ASSERT_TRUE(accepted);
    ASSERT_TRUE(applyComments(dialog.prepared));
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(std::string(deviceCommentList.head->deviceText.data()), "Y001");
    EXPECT_EQ(std::string(coilCommentList.head->text.data()), "Pump");
}

TEST_F(CommentFormsTest, TheListIsChangedInPlaceAndTheFindBoxLeadsToARow) {
    appendDeviceComment('X', 0, "Start");
    appendDeviceComment('Y', 0, "Pump");
    forms::CommentListPanel panel;
    int edits = 0;
    QObject::connect(&panel, &forms::CommentListPanel::edited, [&edits] { ++edits; });
    panel.showList(CommentKind::Device);
    QTableWidget& grid = *panel.CommentListGrid;
    ASSERT_EQ(grid.rowCount(), 3);  // and the row for a new device
    EXPECT_EQ(grid.item(1, forms::CommentListPanel::kKeyColumn)->text(), "Y000");
    panel.CommentFindEdit->setText("pump");
    panel.btnCommentFind->click();
    EXPECT_EQ(grid.currentRow(), 1);
    panel.CommentFindEdit->setText("valve");
    panel.btnCommentFind->click();
    EXPECT_EQ(panel.CommentFindResult->text(), "Not found");
    grid.item(1, forms::CommentListPanel::kCommentColumn)->setText("Main pump");
    grid.item(2, forms::CommentListPanel::kKeyColumn)->setText("D10");
    grid.item(2, forms::CommentListPanel::kCommentColumn)->setText("Speed");
    QTest::qWait(0);
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.item(2, forms::CommentListPanel::kCommentColumn)->text(), "Speed");
    EXPECT_EQ(std::string(deviceCommentList.head->next->text.data()), "Main pump");
}

TEST_F(CommentFormsTest, TheNameListAddsChangesAndDeletesNamesAndRefusesOtherDevices) {
    forms::CommentListPanel panel;
    int edits = 0;
    QObject::connect(&panel, &forms::CommentListPanel::edited, [&edits] { ++edits; });
    panel.showList(CommentKind::Name);
    QTableWidget& grid = *panel.CommentListGrid;
    EXPECT_EQ(panel.title(), "Device names");
    EXPECT_EQ(grid.horizontalHeaderItem(forms::CommentListPanel::kKeyColumn)->text(), "Device");
    EXPECT_EQ(grid.horizontalHeaderItem(forms::CommentListPanel::kCommentColumn)->text(), "Name");
    EXPECT_TRUE(grid.isColumnHidden(forms::CommentListPanel::kOwnerColumn));
    ASSERT_EQ(grid.rowCount(), 1);  // the row for a new name
    const auto type = [&grid](int row, const char* device, const char* name) {
        if (device != nullptr) grid.item(row, forms::CommentListPanel::kKeyColumn)->setText(device);
        grid.item(row, forms::CommentListPanel::kCommentColumn)->setText(name);
        QTest::qWait(0);
    };
    type(0, "x0", "Start button");
    type(1, "Y1", "Pump");
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.item(1, forms::CommentListPanel::kKeyColumn)->text(), "Y001");
    EXPECT_FALSE(grid.item(0, forms::CommentListPanel::kKeyColumn)->flags() & Qt::ItemIsEditable);
    type(2, "D10", "Speed");
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(grid.rowCount(), 3);  // refused: the new row is empty again
    EXPECT_EQ(grid.item(2, forms::CommentListPanel::kKeyColumn)->text(), "");
    type(1, nullptr, "Main pump");
    type(0, nullptr, "");
    EXPECT_EQ(edits, 4);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.item(0, forms::CommentListPanel::kCommentColumn)->text(), "Main pump");
    EXPECT_EQ(std::string(deviceNameList.head->deviceText.data()), "Y001");
    EXPECT_EQ(deviceCommentList.head, nullptr);
    panel.CommentFindEdit->setText("main");
    panel.btnCommentFind->click();
    EXPECT_EQ(grid.currentRow(), 0);
}

}  // namespace
}  // namespace kestrion::test
