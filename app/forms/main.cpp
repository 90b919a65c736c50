// Process entry: the splash, the application title, the main window and the message loop.
#include <QMessageBox>
#include <cstdio>
#include <exception>

#include "app/forms/CloseSignals.h"
#include "app/forms/KestrionApplication.h"
#include "app/forms/LogoUnit.h"
#include "app/forms/MainUnit.h"
#include "app/forms/QtPlatform.h"
#include "model/core/MainState.h"
#include "platform/PosixFiles.h"

int main(int argc, char** argv) {
    using namespace kestrion;
    app::KestrionApplication application(argc, argv);
    try {
        // First of all: a signal from here on waits in the pipe for the window.
        app::CloseSignals closeSignals;
        platform::PosixFiles files = platform::PosixFiles::fromEnvironment();
        app::QtPlatform services(files);
        services.install();

        app::LogoForm = new app::TLogoForm(QString::fromStdString(files.dataDirectory() + "/splash.png"));
        app::LogoForm->show();
        app::LogoForm->repaint();
        QApplication::processEvents();

        QApplication::setApplicationName(kApplicationTitle);
        app::TMainForm mainForm(services);
        QObject::connect(&closeSignals, &app::CloseSignals::closeRequested, &mainForm,
                         &app::TMainForm::requestClose);
        QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainForm,
                         &app::TMainForm::commitData);
        closeSignals.listen();
        mainForm.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        // Start-up failed before the loop ran (no platform service, no window).
        std::fprintf(stderr, "kestrion: %s\n", error.what());
        delete app::LogoForm.data();  // the box must not open under it
        QMessageBox::critical(nullptr, kApplicationTitle, QString::fromUtf8(error.what()));
        return 1;
    }
}
