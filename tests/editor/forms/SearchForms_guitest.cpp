// The windows of the find, the find list and the replace, each run modally as the seam opens it.
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "editor/FindTestSupport.h"
#include "editor/forms/GoToStepForm.h"
#include "editor/forms/LdrSearchForm.h"
#include "editor/forms/ObjMaskForm.h"
#include "editor/forms/UpDnSearchForm.h"
#include "lang/Language.h"

namespace kestrion::forms {
namespace {

template <class Form>
void whenShown(std::function<void(Form&)> hand) {
    QTimer::singleShot(0, [hand] {
        auto* form = qobject_cast<Form*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        hand(*form);
    });
}

class SearchFormsTest : public test::FindTest {};

TEST_F(SearchFormsTest, TheFindDialogGivesItsFieldsAndTheButtonPressed) {
    FindDialog dialog{"X10", FindKind::Device, FindDirection::Down};
    QString seen;
    whenShown<TUpDnSearchForm>([&seen](TUpDnSearchForm& form) {
        seen = form.windowTitle() + "|" + form.FindEdit->text() + "|" + form.rbDevice->text() + "|" +
               form.btnFindNext->text() + "|" + QString::number(form.rbDown->isChecked());
        form.FindEdit->clear();
        QTest::keyClicks(form.FindEdit, "mov");
        form.rbInstruction->click();
        form.rbUp->click();
        form.btnFindList->click();
    });
    QtEditorDialogs().find(dialog);
    EXPECT_EQ(seen.toStdString(), "Find|X10|Device|Find next|1");
    EXPECT_EQ(
        std::tie(dialog.text, dialog.kind, dialog.direction, dialog.action),
        std::make_tuple(std::string("mov"), FindKind::Instruction, FindDirection::Up, FindAction::FindList));
    // Enter presses Find next; Cancel gives Cancel whatever was typed.
    whenShown<TUpDnSearchForm>([](TUpDnSearchForm& form) { QTest::keyClick(form.FindEdit, Qt::Key_Return); });
    QtEditorDialogs().find(dialog);
    EXPECT_EQ(dialog.action, FindAction::FindNext);
    whenShown<TUpDnSearchForm>([](TUpDnSearchForm& form) { form.btnCancel->click(); });
    QtEditorDialogs().find(dialog);
    EXPECT_EQ(dialog.action, FindAction::Cancel);
}

TEST_F(SearchFormsTest, TheFindDialogSpeaksTheInterfaceLanguage) {
    ModeData.languageNo = 3;
    selectLanguageFlags(3);
    FindDialog dialog;
    QString seen;
    whenShown<TUpDnSearchForm>([&seen](TUpDnSearchForm& form) {
        seen = form.windowTitle() + "|" + form.rbComment->text() + "|" + form.btnFindList->text();
        form.btnCancel->click();
    });
    QtEditorDialogs().find(dialog);
    EXPECT_EQ(seen.toStdString(), "検索|コメント|一覧表示");
}

TEST_F(SearchFormsTest, TheFindListShowsEveryPlaceAndADoubleClickFramesOne) {
    comment('X', 10, "Start button");
    FindListDialog list;
    list.query = "X10";
    list.places = findAll(*FindMatcher::prepare({FindKind::Device, "X10"}));
    QStringList seen;
    whenShown<TldrSearchForm>([&seen](TldrSearchForm& form) {
        seen << form.windowTitle() << form.CountLabel->text();
        for (int row = 0; row < form.FoundGrid->rowCount(); ++row)
            seen << form.FoundGrid->item(row, 0)->text() + " " + form.FoundGrid->item(row, 1)->text() + " " +
                        form.FoundGrid->item(row, 2)->text();
        seen << form.FoundGrid->horizontalHeaderItem(1)->text();
        form.FoundGridDblClick(1);
        seen << QString::fromStdString(test::FindTest::framed());
        emit form.FoundGrid->cellDoubleClicked(0, 2);
        seen << QString::fromStdString(test::FindTest::framed());
        form.btnClose->click();
    });
    QtEditorDialogs().findList(list);
    EXPECT_EQ(seen.join("|").toStdString(),
              "Found: X10|2 places; a double click shows one in the ladder.|2 LD X010 Start button|"
              "14 LD X010 Start button|Instruction line|14 LD X010|2 LD X010");
}

// On a small program the cells are narrow: each column is still as wide as its header needs, in
// every language, and a single place is counted as one.
TEST_F(SearchFormsTest, TheFindListHeadersShowTheirWholeTextOverNarrowCells) {
    FindListDialog list;
    list.query = "X0";
    list.places = findAll(*FindMatcher::prepare({FindKind::Device, "X0"}));
    ASSERT_EQ(list.places.size(), 1u);
    const std::pair<int, const char*> languages[] = {
        {0, "1 place; a double click shows it in the ladder."},
        {3, "1 か所。ダブルクリックでラダーに表示します。"},
        {4, "1 lugar; un doble clic lo muestra en el ladder."},
        {1, "共 1 處；按兩下可在階梯圖中顯示。"},
    };
    for (const auto& [language, count] : languages) {
        ModeData.languageNo = static_cast<std::uint32_t>(language);
        selectLanguageFlags(language);
        QStringList cut;
        QString counted;
        whenShown<TldrSearchForm>([&cut, &counted](TldrSearchForm& form) {
            counted = form.CountLabel->text();
            const QHeaderView* header = form.FoundGrid->horizontalHeader();
            const QFontMetrics metrics(header->font());
            for (int column = 0; column < 2; ++column) {
                const QString text = form.FoundGrid->horizontalHeaderItem(column)->text();
                // Whole text and its margins: Qt's own measure of the header section.
                if (header->sectionSize(column) < header->sectionSizeHint(column) ||
                    header->sectionSize(column) < metrics.horizontalAdvance(text))
                    cut << text + " " + QString::number(header->sectionSize(column));
            }
            form.btnClose->click();
        });
        QtEditorDialogs().findList(list);
        EXPECT_EQ(cut.join(", ").toStdString(), "") << language;
        EXPECT_EQ(counted.toStdString(), count);
    }
}

TEST_F(SearchFormsTest, TheReplaceDialogStaysOpenUntilItsFieldsAreRight) {
    ReplaceDialog dialog;
    dialog.from = "X10";
    int tries = 0;
    whenShown<TobjMaskForm>([&tries, this](TobjMaskForm& form) {
        EXPECT_FALSE(form.FirstStepEdit->isEnabled());
        form.btnOk->click();  // nothing in "With"
        tries += form.isVisible() ? 1 : 0;
        QTest::keyClicks(form.ToEdit, "x20");
        form.rbSteps->click();
        EXPECT_TRUE(form.FirstStepEdit->isEnabled());
        QTest::keyClicks(form.FirstStepEdit, "1a0");  // the letter does not go in
        QTest::keyClicks(form.LastStepEdit, "5");
        form.btnOk->click();  // 10 to 5
        tries += form.isVisible() ? 1 : 0;
        form.LastStepEdit->setText("15");
        form.btnOk->click();  // replaced: LD X010 at step 14
        EXPECT_EQ(boxes().size(), 3u);
    });
    EXPECT_TRUE(QtEditorDialogs().replace(dialog));
    EXPECT_EQ(tries, 2);
    ASSERT_TRUE(dialog.checked);
    EXPECT_EQ(
        std::make_tuple(dialog.checked->first.text(), dialog.checked->target.text(),
                        dialog.checked->wholeProgram, dialog.checked->firstStep, dialog.checked->lastStep),
        std::make_tuple(std::string("X10"), std::string("X20"), false, 10u, 15u));
    EXPECT_EQ(framed(), "0 LD X000");
    EXPECT_EQ(objectOf("LD X020")->stepNo, 14u);
    whenShown<TobjMaskForm>([](TobjMaskForm& form) { form.btnCancel->click(); });
    EXPECT_FALSE(QtEditorDialogs().replace(dialog));
}

}  // namespace
}  // namespace kestrion::forms
