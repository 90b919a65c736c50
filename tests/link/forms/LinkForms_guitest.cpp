#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "lang/Language.h"
#include "link/forms/AnyCommandForm.h"
#include "link/forms/InterceptForm.h"
#include "link/forms/LineFree.h"
#include "link/forms/PcbCheckForm.h"
#include "link/forms/PlcKeywordForm.h"
#include "link/forms/PortSelForm.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/RsTimOutForm.h"
#include "link/forms/SetTimeForm.h"
#include "link/line/CommRecord.h"
#include "link/line/LineHold.h"
#include "link/line/LinkCommand.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class LinkFormsTest : public CoreTest {};

// A poll whose request waits for the next `waits` asks of a click.
int waits = 0;
int releases = 0;

class WaitingPoll : public LineHold {
public:
    bool holdForClick() override { return waits > 0 && waits-- > 0; }
    void release() override { ++releases; }
};

TEST_F(LinkFormsTest, AClickThatNeedsTheLineWaitsForThePollsRequestAndNeverOutlivesItsWindow) {
    WaitingPoll poll;
    const InstalledDialogs<LineHold> pollHold(poll);
    waits = 3;
    releases = 0;
    int clicks = 0;
    {
        QObject window;
        forms::runWhenLineFree(&window, [&clicks] { ++clicks; });
        EXPECT_EQ(clicks, 0);  // the poll's request still waits
        QTRY_COMPARE(clicks, 1);
        EXPECT_EQ(waits, 0);
        EXPECT_EQ(releases, 1);  // the poll goes on once the click has run
        forms::runWhenLineFree(&window, [&clicks] { ++clicks; });
        EXPECT_EQ(clicks, 2);  // nothing waits: at once
        waits = 1;
        forms::runWhenLineFree(&window, [&clicks] { ++clicks; });
    }
    QTest::qWait(50);
    EXPECT_EQ(clicks, 2);  // its window closed while it waited
}

TEST_F(LinkFormsTest, TheKeywordDialogStaysOpenWithItsTextsAfterAWrongCharacter) {
    PlcKeywordDialog state;
    state.caption = "Keyword setting";
    state.checkOld = 1;
    forms::TplcKeywordForm form(state);
    form.show();
    form.Edit1->setText("12345678");
    form.Edit2->setText("A0B1C2DG");
    form.btnOk->click();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Keyword is 8 characters, 0~9 or A~F only");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), 0);
    EXPECT_EQ(form.Edit1->text(), "12345678");  // what was typed, to correct
    EXPECT_EQ(form.Edit2->text(), "A0B1C2DG");
    EXPECT_FALSE(state.accepted());

    form.Edit2->setText("A0B1C2DF");
    form.btnOk->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(state.accepted());
    EXPECT_EQ(std::string(rs.newKeyword.begin(), rs.newKeyword.end()), "A0B1C2DF");
    EXPECT_TRUE(form.Edit2->text().isEmpty());  // wiped once taken
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(LinkFormsTest, ThePortDialogShowsTheSelectionAndTheDeviceAndWritesTheIndexes) {
    comPortIndex = 2;
    baudIndex = 3;
    forms::TPortSelForm form;
    form.show();
    EXPECT_EQ(form.comPortComboBox->currentText(), "COM3");
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS2  (no device)");
    EXPECT_TRUE(form.baudRateRadioGroup->button(3)->isChecked());
    EXPECT_EQ(form.comPortComboBox->count(), 8);
    const QPoint offCentre =
        form.frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);
    form.comPortComboBoxChange("COM12");
    EXPECT_EQ(comPortIndex, 11u);
    EXPECT_EQ(form.deviceLabel->text(), "/dev/ttyS11  (no device)");
    form.baudRateRadioGroup->button(1)->click();
    EXPECT_EQ(baudIndex, 1u);
    EXPECT_FALSE(form.state.confirmed);
    form.btnOk->click();
    EXPECT_TRUE(form.state.confirmed);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(LinkFormsTest, TheTimeOutDialogShowsAndCorrectsItsTexts) {
    forms::TrsTimOutForm form;
    form.state.timeOutIndex = 4;
    form.state.retryIndex = 9;
    form.show();
    EXPECT_EQ(form.TimeOutComboBox->currentText(), "5");
    EXPECT_EQ(form.TimeOutComboBox->itemText(form.TimeOutComboBox->currentIndex()),
              "5");  // what the list marks
    EXPECT_EQ(form.RetryComboBox->currentText(), "1");
    EXPECT_EQ(form.RetryComboBox->currentIndex(), 0);
    form.TimeOutComboBoxChange("12");
    EXPECT_EQ(form.TimeOutComboBox->currentText(), "1");
    EXPECT_EQ(form.TimeOutComboBox->currentIndex(), -1);  // "1" is not in the list
    EXPECT_EQ(form.state.timeOutIndex, 0);
    form.RetryComboBoxChange("4");
    EXPECT_EQ(form.state.retryIndex, 3);
    form.btnCancel->click();
    EXPECT_FALSE(form.state.confirmed);
    EXPECT_EQ(form.windowTitle(), "Communication Time Out Setting");
}

TEST_F(LinkFormsTest, OkInTheTimeOutDialogTakesNumbersTypedIntoTheBoxes) {
    forms::QtLinkDialogs qtDialogs;
    InstalledDialogs<LineDialogs> installed(qtDialogs);
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TrsTimOutForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->TimeOutComboBox->lineEdit()->setText("7");
        form->RetryComboBox->lineEdit()->setText("3");
        form->btnOk->click();
    });
    TimeOutTimer1Click();
    EXPECT_EQ(rs.timeOut, 7000u);
    EXPECT_EQ(rs.retryCount, 3u);
}

// The list shows the days in the interface language; the clock still gets the day it names, and
// a language change while the dialog is open keeps the day shown.
TEST_F(LinkFormsTest, TheClockDialogListsTheDaysInTheLanguageAndTheClockGetsTheChosenDay) {
    selectLanguageFlags(4);  // Spanish
    SetTimeDialog state;
    forms::TSetTimeForm form(state);
    form.ComboBox1->setCurrentIndex(3);
    EXPECT_EQ(form.ComboBox1->currentText().toStdString(), "Miércoles");
    EXPECT_EQ(std::make_pair(state.weekdayText, state.values[6]),
              std::make_pair(std::string("Wednesday"), 3u));
    selectLanguageFlags(3);  // Japanese
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&form, &change);
    EXPECT_EQ(form.ComboBox1->currentText().toStdString(), "水曜日");
    EXPECT_EQ(form.btnSetup->text().toStdString(), "設定");
    EXPECT_EQ(state.weekdayText, "Wednesday");
}

// Shown, the terminal takes the link's format, rate, port and protocol into its boxes, the
// protocol's frame into the command line and its examples into the second memo.
TEST_F(LinkFormsTest, TheAnyCommandWindowShowsTheLinksSettingsAndTheProtocolsFrameWhenItOpens) {
    comDcb.parity = platform::Parity::Odd;
    comDcb.dataBits = 8;
    comDcb.stopBits = 2;
    baudIndex = 3;
    comPortIndex = 4;
    commProtocol = ModbusAsc;
    AnyCommandTerminal state;
    forms::TAnyCommandForm form(state, "Write any command");
    form.show();
    const std::pair<QComboBox*, const char*> boxes[] = {
        {form.parityComboBox, "Odd"},       {form.dataBitComboBox, "db8Bits"},
        {form.stopBitComboBox, "StopBit2"}, {form.baudRateComboBox, "57600"},
        {form.comPortComboBox, "COM5"},     {form.ProtocolComboBox1, "ModbusAsc"}};
    for (const auto& [box, text] : boxes) EXPECT_EQ(box->currentText().toStdString(), text) << text;
    EXPECT_EQ(form.Edit1->text().toStdString(), "3A303130313334303030303230");
    EXPECT_EQ(form.Memo1->toPlainText().section('\n', 0, 0).toStdString(), "*Command=01h *correct data...");
    EXPECT_TRUE(form.RxMemo4->toPlainText().isEmpty());
    EXPECT_EQ(form.btnSend->geometry(), (QRect(state.layout.btnSend.left, state.layout.btnSend.top,
                                               state.layout.btnSend.width, state.layout.btnSend.height)));
}

// The terminals and the hardware check show their titles and buttons in the interface language.
TEST_F(LinkFormsTest, TheTerminalsAndTheHardwareCheckShowTheirTextsInTheLanguage) {
    selectLanguageFlags(3);  // Japanese
    AnyCommandTerminal command;
    forms::TAnyCommandForm commandForm(command, "Write any command");
    InterceptTerminal intercept;
    forms::TInterceptForm interceptForm(intercept);
    PcbCheckDialog check;
    forms::TPcbCheckForm checkForm(check);
    const std::tuple<QDialog*, QPushButton*, std::string, std::string> cases[] = {
        {&commandForm, commandForm.btnSend, "任意コマンドの書き込み", "送信"},
        {&interceptForm, interceptForm.OpenComPort, "データの傍受", "通信ポートを開く"},
        {&checkForm, checkForm.btnCheckAll, "ハードウェアチェック", "すべてチェック"},
    };
    for (const auto& [form, button, title, caption] : cases) {
        EXPECT_EQ(form->windowTitle().toStdString(), title);
        EXPECT_EQ(button->text().toStdString(), caption);
    }
    // The command line starts past the caption, however wide the language makes it.
    EXPECT_GE(commandForm.Edit1->x(),
              commandForm.CommandLabel->x() + commandForm.CommandLabel->sizeHint().width());
}

}  // namespace
}  // namespace kestrion::test
