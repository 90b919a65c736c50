// The help text view (TProductMemoForm), the picture view (TImageForm1) and the flow-chart page
// (TFlowChartForm). What they show comes from HelpViews.h.
#pragma once

#include <QDialog>
#include <string>

#include "wizards/forms/FormPlacing.h"

class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TProductMemoForm : public QDialog {
    Q_OBJECT
public:
    explicit TProductMemoForm(QWidget* parent = nullptr);

    QPlainTextEdit* msgMemo = nullptr;
    int memoTopic = 0;
    std::string memoCaption;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};

class TImageForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TImageForm1(QWidget* parent = nullptr);

    PictureBox* Image1 = nullptr;
    int imageTopic = 0;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

class TFlowChartForm : public QDialog {
    Q_OBJECT
public:
    explicit TFlowChartForm(QWidget* parent = nullptr);

    PictureBox* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};

void runProductMemoForm(const std::string& caption, int topic);
void runImageForm1(const std::string& caption, int topic, int width, int height);
void runFlowChartForm(int width, int height);

}  // namespace kestrion::forms
