#include "wizards/forms/AxisForms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/FirmwareHistoryForm.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

// The two axis lines meeting 10 pixels from the top-left corner, y growing downwards.
constexpr QLine kAxes[] = {{10, 10, 10, 200}, {10, 10, 200, 10}};

QWidget* axisColumn(CalculatorBinder& b, int axis, QWidget* parent) {
    const auto name = [axis](const char* pattern) { return axisControlName(pattern, axis); };
    const QString n = QString::number(axis);
    const QString y = QString::number(axis - 1);
    auto* column = new QWidget(parent);
    auto* grid = new QGridLayout(column);
    int row = 0;
    auto* enable = new QCheckBox(column);
    b.bind(enable, name("EnableAx#ControlCheckBox"));
    grid->addWidget(enable, row++, 0, 1, 3);
    const auto device = [&](const char* caption, const char* box, const char* letter, const char* spin,
                            const char* tip, const char* info) {
        auto* title = new QLabel(QString(caption).arg(y), column);
        grid->addWidget(title, row, 0);
        QComboBox* letters = b.combo(column, name(box), {letter});
        letters->setFixedWidth(50);
        grid->addWidget(letters, row, 1);
        SpinEdit* number = b.spin(column, name(spin));
        number->setToolTip(tip);
        grid->addWidget(number, row++, 2);
        grid->addWidget(b.label(column, name(info)), row++, 0, 1, 3);
    };
    device("startMregister(Y%1)", "bitDeviceComboBox#", "M", "bitDeviceNoCSpinEdit#", "[Range:0 - 1535]",
           "MInformationLabel#");
    device("startDregister(Y%1)", "byteDeviceComboBox#", "D", "byteDeviceNoCSpinEdit#", "[Range:0 - 3999]",
           "DInformationLabel#");
    grid->addWidget(b.label(column, name("Ax#InstrLabel")), row++, 0, 1, 3);
    const auto operand = [&](const QString& caption, const char* edit) {
        grid->addWidget(new QLabel(caption, column), row, 0);
        grid->addWidget(new QLabel("D", column), row, 1, Qt::AlignRight);
        grid->addWidget(b.edit(column, name(edit)), row++, 2);
    };
    operand("Axis" + n + "Position [S1.]", "Ax#PositionEdit");
    operand("Axis" + n + "Speed [S2.]", "Ax#SpeedEdit");
    const auto zeroReturn = [&](const char* label, const char* second, QWidget* field) {
        auto* caption = new QLabel(column);
        b.bind(caption, name(label));
        grid->addWidget(caption, row, 0);
        if (second != nullptr) {
            auto* letter = new QLabel(column);
            b.bind(letter, name(second));
            grid->addWidget(letter, row, 1, Qt::AlignRight);
        }
        grid->addWidget(field, row++, 2);
    };
    zeroReturn("Ax#DogPointLabel", "Ax#DogPointXrlyLabel",
               b.combo(column, name("Ax#DogPointXnoComboBox"), {"2", "3", "4", "5", "6", "7"}));
    zeroReturn("Ax#ServoZeroCountLabel", nullptr, b.edit(column, name("Ax#ServoZeroCountEdit"), 2));
    zeroReturn(
        "Ax#ReturnModeLabel", nullptr,
        b.combo(column, name("Ax#ReturnModeComboBox"), {"Forward-L", "Forward-R", "Reverse-L", "Reverse-R"}));
    const auto limit = [&](const QString& caption, const char* edit, int length, const char* unit) {
        grid->addWidget(new QLabel(caption, column), row, 0);
        grid->addWidget(b.edit(column, name(edit), length), row, 2);
        grid->addWidget(new QLabel(unit, column), row++, 3);
    };
    const bool first = axis == 1;
    limit(QString("Maximum Speed (%1)").arg(first ? "D8156" : "D8158"), "Ax#MaximumSpeedEdit", 6, "pps");
    limit(QString("Bias Speed (%1)").arg(first ? "D8168" : "D8170"), "Ax#BiasSpeedEdit", 4, "pps");
    limit(QString("Acc Time (%1)").arg(first ? "D8164" : "D8166"), "Ax#AccTimeEdit", 4, "(ms)");
    limit(QString("Dec Time (%1)").arg(first ? "D8165" : "D8167"), "Ax#DecTimeEdit", 4, "(ms)");
    auto* separated = new QCheckBox("Axis" + n + "Acc./Dec.TimeSeparatedFlag", column);
    separated->setObjectName(QString::fromStdString(name("Ax#AccDecTimeSeparatedCheckBox")));
    grid->addWidget(separated, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    return column;
}

}  // namespace

TSubForm1::TSubForm1(AxisControlDialog& rules, QWidget* parent) : QDialog(parent), rules_(rules) {
    setObjectName("SubForm1");
    systemMenuOnly(*this);
    binder = new CalculatorBinder(rules_, this);
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* columns = new QHBoxLayout(panel);
    columns->addWidget(axisColumn(*binder, 1, panel));
    columns->addWidget(axisColumn(*binder, 2, panel));
    btnHelp = new QPushButton("Help ...", this);
    btnHelp->setObjectName("btnHelp");
    btnSimu = new QPushButton("Simulation ...", this);
    binder->bind(btnSimu, "btnSimu");
    btnOk = new QPushButton("Ok", this);
    btnOk->setObjectName("btnOk");
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnHelp);
    buttons->addWidget(btnSimu);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    resize(620, 520);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { runFirmwareHistoryForm(rules_.helpReport(), this); });
    connect(btnSimu, &QPushButton::clicked, this, [this] {
        TpulseSimulationForm simulation(this);
        simulation.setWindowTitle("Increment Simulation");
        simulation.exec();
    });
}

void TSubForm1::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        setWindowTitle(QString::fromStdString(rules_.caption));
        rules_.FormShow();
        binder->sync();
    }
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

SimulationPaintBox::SimulationPaintBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void SimulationPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    for (const QLine& axis : kAxes) painter.drawLine(axis);
}

void SimulationPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

TpulseSimulationForm::TpulseSimulationForm(QWidget* parent) : QDialog(parent) {
    setObjectName("pulseSimulationForm");
    setWindowTitle("Pulse Simulation");
    systemMenuOnly(*this);
    resize(696, 310);
    auto* panel = placed<QFrame>(this, "Panel1", 8, 8, 673, 193);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    simulationPaintBox = placed<SimulationPaintBox>(panel, "simulationPaintBox", 0, 0, 673, 185);
    xyLabel = placed<QLabel>(this, "xyLabel", 8, 216, 300, 16, "xyLabel");
    btnOk = placed<QPushButton>(this, "btnOk", 520, 248, 75, 25, "Ok");
    btnClose = placed<QPushButton>(this, "btnClose", 608, 248, 75, 25, "Close");
    // The axes are painted with the drawing area; "Ok" asks for that again.
    connect(btnOk, &QPushButton::clicked, simulationPaintBox, qOverload<>(&QWidget::update));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(simulationPaintBox, &SimulationPaintBox::mouseMoved, this,
            &TpulseSimulationForm::simulationPaintBoxMouseMove);
}

void TpulseSimulationForm::simulationPaintBoxMouseMove(int x, int y) {
    xyLabel->setText(QString::fromStdString(pulseSimulationMouseText(x, y)));
}

TAxisControlForm1::TAxisControlForm1(QWidget* parent) : QDialog(parent) {
    setObjectName("AxisControlForm1");
    setWindowTitle("Axis control");
    resize(957, 587);
    const std::pair<const char*, const char*> buttons[] = {
        {"btnJog", "JOG"}, {"btnMpg", "MPG"}, {"btnRotaryCut", "Rotary Cut"}, {"btnFlySaw", "Fly Saw"}};
    int top = 24;
    for (const auto& [name, caption] : buttons) {
        auto* button = placed<QPushButton>(this, name, 24, top, 153, 49, caption);
        QFont font = button->font();
        font.setPixelSize(16);
        button->setFont(font);
        top += 64;
    }
}

void runSubForm1(AxisControlDialog& rules) {
    TSubForm1 form(rules, QApplication::activeWindow());
    form.exec();
}

void runAxisControlForm1() {
    TAxisControlForm1 form(QApplication::activeWindow());
    centreOnScreen(form);
    form.exec();
}

}  // namespace kestrion::forms
