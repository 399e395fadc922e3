#include <QApplication>
#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

#include "ApplicationIcon.h"
#include "CommandLine.h"
#include "Messages.h"
#include "ProgramState.h"
#include "ProgramStyle.h"
#include "QtQueries.h"
#include "UserSetsPath.h"
#include "Version.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "main/MainWindow.h"

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A pipe whose reader went away is a failed write to report, not a reason to die unheard.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // Any argument means the command line: it needs no display, so no QApplication.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        return glyphwright::RunCommandLine(QCoreApplication::arguments().mid(1), stdout, stderr);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(glyphwright::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(glyphwright::kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(glyphwright::kDesktopFileName));
    QApplication::setWindowIcon(glyphwright::ApplicationIcon());
    // Hidden dialogs may outlive the last shown window; the windows say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new glyphwright::ProgramStyle(QApplication::style()));
    glyphwright::InstallFontFallbacks();

    glyphwright::ProgramState state;
    state.setsPath = QFile::encodeName(glyphwright::UserSetsPath()).toStdString();
    const auto setsUnread = glyphwright::LoadUserSets(state.sets, state.setsPath);
    glyphwright::QtQueries queries;
    glyphwright::WindowManager windows(state.Services(queries));
    QObject::connect(&windows, &glyphwright::WindowManager::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    windows.Start();
    queries.SetSaveDialogOwner(*windows.Main());
    if (setsUnread) {
        queries.ShowMessage(glyphwright::Messages::Title().toStdString(), setsUnread->toStdString(),
                            glyphwright::MessageIcon::Exclamation);
    }
    return QApplication::exec();
}
