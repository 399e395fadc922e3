#include <QApplication>
#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

#include "ApplicationIcon.h"
#include "CommandLine.h"
#include "NoDisplayExit.h"
#include "ProgramMessages.h"
#include "ProgramState.h"
#include "QtQueries.h"
#include "UserSets.h"
#include "Version.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "main/MainWindow.h"

namespace {

// A standard descriptor the caller closed would be taken by the next file anyone opens (the
// toolkit opens an event descriptor first thing), and the table would be written into it. Each
// closed one is held by /dev/null opened for reading only: reading finds nothing, and a write
// fails as a write to a closed descriptor does.
void HoldClosedStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    HoldClosedStandardDescriptors();
#ifdef SIGPIPE
    // A pipe whose reader went away is a failed write to report, not a reason to die unheard.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // Any argument means the command line: it needs no display, so no QApplication.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        return glyphwright::RunCommandLine(argc, argv, stdout, stderr);
    }

    auto noDisplay = std::make_unique<glyphwright::NoDisplayExit>(stderr);
    QApplication app(argc, argv);
    noDisplay.reset();
    QApplication::setApplicationName(QString::fromLatin1(glyphwright::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(glyphwright::kVersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(glyphwright::kDesktopFileName));
    QApplication::setWindowIcon(glyphwright::ApplicationIcon());
    // Hidden dialogs may outlive the last shown window; the windows say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
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
        queries.ShowMessage(glyphwright::ProgramMessages::Title().toStdString(),
                            setsUnread->toStdString(), glyphwright::MessageIcon::Exclamation);
    }
    return QApplication::exec();
}
