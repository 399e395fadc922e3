#include <QApplication>

#include "ApplicationIcon.h"
#include "ProgramState.h"
#include "QtQueries.h"
#include "Version.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "main/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(glyphwright::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(glyphwright::kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(glyphwright::kDesktopFileName));
    QApplication::setWindowIcon(glyphwright::ApplicationIcon());
    // Hidden dialogs may outlive the last shown window; the windows say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    glyphwright::InstallFontFallbacks();

    glyphwright::ProgramState state;
    glyphwright::QtQueries queries;
    glyphwright::WindowManager windows(state.Services(queries));
    QObject::connect(&windows, &glyphwright::WindowManager::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    windows.Start();
    queries.SetSaveDialogOwner(*windows.Main());
    return QApplication::exec();
}
