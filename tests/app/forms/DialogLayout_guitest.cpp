// Every dialog the core opens, through the Qt side of its subsystem's dialog interface as the
// program installs it: the window opens (the interface does not stop short of it), and each of its
// widgets lies inside it, over none of the others, at no less than the size its text needs, so that
// nothing is cut or hidden; the dialogs of fields and buttons keep the size their layout gives them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <set>
#include <vector>

#include "app/AppDialogs.h"
#include "devviews/DevViewsDialogs.h"
#include "diagnostics/DiagnosticsDialogs.h"
#include "editor/CommentEdit.h"
#include "editor/EditorDialogs.h"
#include "entry/EntryDialogs.h"
#include "entry/InputDeviceDialog.h"
#include "lang/AppMessage.h"
#include "lang/LangDialogs.h"
#include "lang/Language.h"
#include "link/line/LineDialogs.h"
#include "link/plc/ForceBits.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterDialog.h"
#include "link/plc/PlcClock.h"
#include "link/plc/PlcDialogs.h"
#include "link/terminals/AnyCommandTerminal.h"
#include "link/terminals/InterceptTerminal.h"
#include "link/terminals/ServiceTools.h"
#include "link/terminals/TerminalDialogs.h"
#include "link/transfer/TransferDialogs.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/ModelDialogs.h"
#include "model/ladder/StackCodeView.h"
#include "monitor/ChangeValue.h"
#include "monitor/EntryDeviceMonitor.h"
#include "monitor/MonitorDialogs.h"
#include "monitor/RegisterDeviceDialog.h"
#include "monitor/access/AccessDialogs.h"
#include "monitor/access/AnyAddressDialog.h"
#include "monitor/access/AxisMonitor.h"
#include "platform/Services.h"
#include "platform/forms/TitleWidth.h"
#include "support/gui/RealServicesTest.h"
#include "wizards/DisplayOptions.h"
#include "wizards/WizardsDialogs.h"
#include "wizards/calculators/AutoLinkCalculator.h"
#include "wizards/calculators/AxisControlDialog.h"
#include "wizards/calculators/RotaryCutCalculator.h"
#include "wizards/gateway/CcLinkDialog.h"
#include "wizards/gateway/GatewayProgram.h"

namespace kestrion::app {
namespace {

QString nameOf(const QWidget& widget) {
    return QString("%1 %2").arg(widget.metaObject()->className(), widget.objectName());
}

// Widgets that lie over one another: two visible children of the same widget that share a pixel.
// A widget left out of the layout stays where it was made, at the top left, over the laid-out ones.
QStringList overlappingWidgets(QWidget& window) {
    QStringList over;
    std::vector<QWidget*> parents{&window};
    for (QWidget* widget : window.findChildren<QWidget*>()) parents.push_back(widget);
    for (QWidget* parent : parents) {
        if (qobject_cast<QAbstractScrollArea*>(parent) != nullptr)
            continue;  // its own scroll bars and corner
        std::vector<QWidget*> shown;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(&window) && !child->isWindow()) shown.push_back(child);
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    over << QString("%1 over %2").arg(nameOf(*shown[i]), nameOf(*shown[j]));
    }
    return over;
}

// What is wrong with a window's layout: each widget outside the window, smaller than its text needs
// or over another one; empty when nothing is cut. The inside of lists and scroll areas scrolls, so
// it is left out.
QStringList cutWidgets(QWidget& window) {
    QStringList cut;
    const QRect inside = window.rect();
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->isWindow()) continue;
        bool scrolled = false;
        for (QWidget* up = widget->parentWidget(); up != nullptr && up != &window; up = up->parentWidget())
            if (auto* area = qobject_cast<QAbstractScrollArea*>(up))
                scrolled = scrolled || area->viewport()->isAncestorOf(widget);
        if (scrolled) continue;
        const QRect at(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        const QString name = nameOf(*widget);
        if (!inside.contains(at)) cut << name + " outside";
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool hasText = (button != nullptr && !button->text().isEmpty()) ||
                             (label != nullptr && !label->wordWrap() && !label->text().isEmpty());
        if (hasText && (widget->width() < widget->minimumSizeHint().width() ||
                        widget->height() < widget->minimumSizeHint().height()))
            cut << name + " squeezed";
    }
    cut << overlappingWidgets(window);
    if (window.layout() != nullptr && (window.width() < window.minimumSizeHint().width() ||
                                       window.height() < window.minimumSizeHint().height()))
        cut << "window smaller than its layout needs";
    return cut;
}

// The any-address window, the any-command terminal and the entry device monitor of the hidden menus
// place their buttons in the pixel boxes of their design, which the core computes; some of their
// longer captions do not fit them.
bool placedByTheCore(const QWidget& window, const QString& problem) {
    const QString name = window.metaObject()->className();
    return (name.endsWith("TAnyAddressForm") || name.endsWith("TAnyCommandForm") ||
            name.endsWith("TEntryDeviceMonitorForm")) &&
           problem.endsWith("squeezed");
}

// The oscilloscope's panel is drawn at the pixels of its design: the two sets of scale labels
// interleave 12 pixels apart, and the time caption sits on the grid's overhang to the right.
bool drawnOverByDesign(const QWidget& window, const QString& problem) {
    return QString(window.metaObject()->className()).endsWith("TOscilloscopeForm") &&
           problem.contains(" over QLabel ");
}

// The dialogs of fields and buttons take the size their layout needs and keep it: the window
// manager offers no resize, and the width leaves room for the whole caption.
QStringList sizeNotKept(const QWidget& window) {
    static const std::set<QString> keepTheirSize = {
        "TAppMsgForm",         "TCommentEditForm", "TErrMsg1Form",    "TFileTitleForm",  "TGoToStepForm",
        "TInputDeviceForm",    "TMemoryClearForm", "TParameter1Form", "TPlcTypeForm",    "TProgWriteForm",
        "TRunStopForm",        "TSetTimeForm",     "TViewMoreForm",   "TdeviceListForm", "TplcKeywordForm",
        "TregisterDeviceForm", "TrsTimOutForm"};
    const QString name = QString(window.metaObject()->className()).section("::", -1);
    if (keepTheirSize.count(name) == 0) return {};
    QStringList problems;
    if (window.minimumSize() != window.maximumSize()) problems << "resizable";
    if (window.width() < forms::titleWidth(window)) problems << "narrower than its caption";
    return problems;
}

struct Entry {
    const char* window;  // the class of the window the call opens
    std::function<void()> open;
};

class DialogLayoutTest : public kestrion::test::RealServicesTest {
protected:
    DialogLayoutTest() : RealServicesTest("dialogs") {
        for (QWidget* widget : QApplication::topLevelWidgets()) before_.insert(widget);
        QObject::connect(&driver, &QTimer::timeout, [this] { look(); });
    }
    // The windows opened since the last look: each is looked at once and closed.
    void look() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible() || before_.count(widget) != 0 || looked_.count(widget) != 0) continue;
            looked_.insert(widget);
            seen << widget->metaObject()->className();
            for (const QString& problem : cutWidgets(*widget) + sizeNotKept(*widget))
                if (!placedByTheCore(*widget, problem) && !drawnOverByDesign(*widget, problem))
                    problems << QString("%1: %2").arg(widget->metaObject()->className(), problem);
            if (auto* dialog = qobject_cast<QDialog*>(widget))
                dialog->reject();
            else
                widget->close();
        }
    }
    // Opens the window of an entry, looks at it and at what it opens, and closes them.
    QStringList run(const Entry& entry) {
        seen.clear();
        looked_.clear();  // a window the program keeps is looked at again when it opens again
        driver.start(20);
        entry.open();
        look();
        QApplication::processEvents();
        driver.stop();
        return seen;
    }

    QTimer driver;
    QStringList seen;
    QStringList problems;

private:
    std::set<QWidget*> before_;
    std::set<QWidget*> looked_;
};

// In English and in the languages of the longest texts and of the widest script.
TEST_F(DialogLayoutTest, EveryDialogOpensThroughItsInterfaceWithNothingCutInEveryLanguage) {
    pmw.setPlcType(5);
    PlcKeywordDialog keyword;
    SetTimeDialog clock;
    ForceOnOffDialog force;
    ParameterDialog parameters;
    parameters.plcType = 5;
    parameters.capacity = 8;
    ProgWriteDialog write;
    RegisterViewDialog registers;
    registers.plcType = 5;
    PcbCheckDialog pcb;
    InputDeviceDialog device;
    CommentEditDialog comment;
    comment.device = "X000";
    ViewMoreDialog more;
    RegisterDeviceDialog registration;
    SystemSetupDialog setup;
    DeclaredDialog disclaimer;
    disclaimer.layout = declaredLayout(1440);
    AxisControlDialog axes;
    InterceptTerminal intercept;
    AnyCommandTerminal anyCommand;
    AnyAddressDialog anyAddress;
    AxisMonitorDialog axisMonitor;
    CvChangeDialog change;
    EntryDeviceMonitorDialog entryMonitor;
    AutoLinkCalculator autoLink;
    RotaryCutCalculator rotaryCut;
    CcLinkDialog ccLink;
    CcGateModbusDialog ccGate;
    const Entry entries[] = {
        {"kestrion::forms::TPlcTypeForm", [] { static_cast<void>(modelDialogs().showPlcTypeForm(5, 8)); }},
        {"kestrion::forms::TstackCodeForm",
         [] {
             modelDialogs().showStackCode({"Stack code", "MPS", "MPP"});
         }},
        {"kestrion::forms::TFileTitleForm",
         [] {
             static_cast<void>(appDialogs().fileTitle({"Save as", "/tmp/Pump.PMW", "Pump line", 54}));
         }},
        {"kestrion::forms::TGoToStepForm",
         [] {
             static_cast<void>(editorDialogs().goToStep({"Go to step", "", "Step No.", ""}));
         }},
        {"kestrion::forms::TCommentEditForm",
         [&comment] { static_cast<void>(editorDialogs().commentEdit(comment)); }},
        {"kestrion::forms::TInputDeviceForm", [&device] { entryDialogs().inputDevice(device); }},
        {"kestrion::forms::TAppMsgForm",
         [] {
             langDialogs().appMessage({"Convert ", "...Convert...Completed...", "", "V2"});
         }},
        {"kestrion::forms::TAboutTovelForm",
         [] {
             langDialogs().about({"About", "Kestrion 2.1", "Programming tool", "Made by Tovel", "OK"});
         }},
        {"kestrion::forms::TPortSelForm", [] { static_cast<void>(lineDialogs().portSelection("Port")); }},
        {"kestrion::forms::TrsTimOutForm",
         [] { static_cast<void>(lineDialogs().replyTimeOut("Time out", 0, 0)); }},
        {"kestrion::forms::TplcKeywordForm", [&keyword] { plcDialogs().plcKeyword(keyword); }},
        {"kestrion::forms::TSetTimeForm", [&clock] { plcDialogs().setTime(clock); }},
        {"kestrion::forms::TForceOnOffForm", [&force] { plcDialogs().forceOnOff(force); }},
        {"kestrion::forms::TRunStopForm", [] { static_cast<void>(plcDialogs().runStop("Remote Run/Stop")); }},
        {"kestrion::forms::TMemoryClearForm",
         [] { static_cast<void>(plcDialogs().memoryClear("Memory clear")); }},
        {"kestrion::forms::TParameter1Form",
         [&parameters] {
             static_cast<void>(plcDialogs().parameterSettings("Parameter settings", parameters));
         }},
        {"kestrion::forms::TProgWriteForm", [&write] { transferDialogs().progWrite(write); }},
        {"kestrion::forms::TRegisterViewForm", [&registers] { transferDialogs().registerView(registers); }},
        {"kestrion::forms::TPcbCheckForm", [&pcb] { terminalDialogs().pcbCheck(pcb); }},
        {"kestrion::forms::TErrMsg1Form", [] { diagnosticsDialogs().errMsg1("Error message"); }},
        {"kestrion::forms::TDevViewForm",
         [] {
             devViewsDialogs().showTextView({"Memo", "Memo", {"a", "b"}});
         }},
        {"kestrion::forms::TViewMoreForm", [&more] { devViewsDialogs().viewMore(more); }},
        {"kestrion::forms::TdeviceListForm", [] { monitorDialogs().deviceList("Device list"); }},
        {"kestrion::forms::TregisterDeviceForm",
         [&registration] { monitorDialogs().registerDevice(registration); }},
        {"kestrion::forms::TSystemSetupForm", [&setup] { wizardsDialogs().systemSetup(setup); }},
        {"kestrion::forms::TDeclaredForm1", [&disclaimer] { wizardsDialogs().declared(disclaimer); }},
        {"kestrion::forms::TSubForm1", [&axes] { wizardsDialogs().axisControl(axes); }},
        {"kestrion::forms::TInterceptForm", [&intercept] { terminalDialogs().interceptTerminal(intercept); }},
        {"kestrion::forms::TAnyCommandForm",
         [&anyCommand] { terminalDialogs().anyCommandTerminal(anyCommand, "Any command"); }},
        {"kestrion::forms::TAnyAddressForm", [&anyAddress] { accessDialogs().anyAddress(anyAddress); }},
        {"kestrion::forms::TAxisMonitorForm",
         [&axisMonitor] { accessDialogs().axisMonitor(axisMonitor, "Axis monitor"); }},
        {"kestrion::forms::TcvChangeForm", [&change] { monitorDialogs().changeValue(change); }},
        {"kestrion::forms::TEntryDeviceMonitorForm",
         [&entryMonitor] { monitorDialogs().entryDeviceMonitor(entryMonitor); }},
        {"kestrion::forms::TautoLinkForm", [&autoLink] { wizardsDialogs().autoLink(autoLink); }},
        {"kestrion::forms::TRotaryCutForm1", [&rotaryCut] { wizardsDialogs().rotaryCut(rotaryCut); }},
        {"kestrion::forms::TccLinkForm", [&ccLink] { wizardsDialogs().ccLink(ccLink); }},
        {"kestrion::forms::TccGateModbusForm", [&ccGate] { wizardsDialogs().ccGateModbus(ccGate); }},
        {"kestrion::forms::TOscilloscopeForm", [] { wizardsDialogs().oscilloscope("Oscilloscope"); }},
        {"kestrion::forms::TProductMemoForm", [] { wizardsDialogs().productMemo("Product", 0); }},
    };
    for (const int language : {0, 3, 4, 5}) {
        selectLanguageFlags(language);
        for (const Entry& entry : entries) {
            const QStringList opened = run(entry);
            EXPECT_FALSE(opened.isEmpty()) << entry.window << " did not open";
            if (!opened.isEmpty()) {
                EXPECT_EQ(opened.first().toStdString(), entry.window);
            }
        }
        EXPECT_EQ(problems.join("\n").toStdString(), "") << "language " << language;
        problems.clear();
    }
}

// The progress window of the transfers and conversions.
TEST_F(DialogLayoutTest, TheProgressWindowShowsWithNothingCut) {
    platform::progress().show("Write Program", 0, 100);
    platform::progress().setPosition(40);
    QApplication::processEvents();
    QWidget* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == "ProgressForm") shown = widget;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(cutWidgets(*shown).join("\n").toStdString(), "");
    platform::progress().hide();
}

}  // namespace
}  // namespace kestrion::app
