#include "app/forms/LogoUnit.h"

#include <QLabel>
#include <QPixmap>

#include "platform/forms/WindowPlacing.h"

namespace kestrion::app {

QPointer<TLogoForm> LogoForm;

TLogoForm::TLogoForm(const QString& picturePath, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("LogoForm");
    setFixedSize(kClientWidth, kClientHeight);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, -8, 681, 353);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(picturePath));
    forms::centreOnScreen(*this);
}

}  // namespace kestrion::app
