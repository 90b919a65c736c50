#include "app/forms/QtAppDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include "app/forms/FileTitleForm.h"
#include "lang/Texts.h"
#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

// "*.PMW|*.PMW|*.*|*.*" as Qt name filters: one per description and pattern pair.
QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << parts[i] + " (" + parts[i + 1] + ")";
    return filters;
}

FileDialogResult run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(nullptr, translatedText(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    // The overwrite question is the command's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QString::fromStdString(request.initialName).trimmed());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {true, dialog.selectedFiles().first().toStdString()};
}

}  // namespace

FileDialogResult QtAppDialogs::openFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtAppDialogs::saveFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave);
}

FileTitleResult QtAppDialogs::fileTitle(const FileTitleRequest& request) {
    return runFileTitleForm(request);
}

// The printer and its paper: the choice of a printer set-up, without pages or copies to print.
void QtAppDialogs::printerSetup() {
    QPrinter printer;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setObjectName("PrinterSetupDialog1");
    dialog.setWindowTitle(widgetText(withoutAccessKey(textOf("PrinterSetup1"))));
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    dialog.exec();
}

}  // namespace kestrion::forms
