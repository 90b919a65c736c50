// TOscilloscopeForm: the scope view's grid, scales and mouse read-out (ScopeView.h).
#pragma once

#include <QDialog>
#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;
class QComboBox;

namespace kestrion::forms {

// ScreenPaintBox1: the plot area.
class ScopePaintBox : public QWidget {
    Q_OBJECT
public:
    explicit ScopePaintBox(QWidget* parent);

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

class TOscilloscopeForm : public QDialog {
    Q_OBJECT
public:
    explicit TOscilloscopeForm(QWidget* parent = nullptr);

    ScopePaintBox* ScreenPaintBox1 = nullptr;
    QLabel* scopePanel0 = nullptr;  // panel 0 of ScopeStatusBar
    QPushButton* btnClose = nullptr;
    QPushButton* btnDisplay = nullptr;
    QComboBox* ComboBox1 = nullptr;
    std::uint8_t bClosed = 0;

public slots:
    void FormShow();
    void ScreenPaintBox1MouseMove(int x, int y);
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
};

void runOscilloscopeForm(const std::string& caption);

}  // namespace kestrion::forms
