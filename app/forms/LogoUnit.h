// The splash window shown while the program starts.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

namespace kestrion::app {

class TLogoForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 677;
    static constexpr int kClientHeight = 338;

    explicit TLogoForm(const QString& picturePath, QWidget* parent = nullptr);
    QLabel* Image1 = nullptr;
};

// The splash while it exists; the first tick of Timer0 deletes it.
extern QPointer<TLogoForm> LogoForm;

}  // namespace kestrion::app
