// TAboutTovelForm: the about box of the Help menu, the product word and version, what the program
// is for and its maker, in the interface language. TAboutMarboForm is the second brand's box, shown
// in its place when the program runs as that brand's editor.
#pragma once

#include <QDialog>

#include "lang/LangDialogs.h"

class QLabel;
class QPushButton;

namespace kestrion::forms {

class TAboutTovelForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutTovelForm(const AboutBox& box, QWidget* parent = nullptr);

    QLabel* TitleLabel = nullptr;
    QLabel* PurposeLabel = nullptr;
    QLabel* MakerLabel = nullptr;
    QPushButton* btnOk = nullptr;
};

class TAboutMarboForm : public TAboutTovelForm {
    Q_OBJECT
public:
    explicit TAboutMarboForm(const AboutBox& box, QWidget* parent = nullptr);
};

// The box of the brand the texts are for.
void showAboutForm(const AboutBox& box);

}  // namespace kestrion::forms
