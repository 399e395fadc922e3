#include <QApplication>

#include "QtQueries.h"
#include "WindowManager.h"
#include "core/Workspace.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphwright"));
    QApplication::setApplicationVersion(QStringLiteral(GLYPHWRIGHT_VERSION_TEXT));
    // Hidden dialogs may outlive the last shown window; the windows say when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    glyphwright::Workspace workspace;
    glyphwright::QtQueries queries;
    glyphwright::WindowManager windows(workspace, queries);
    queries.UseWindows(windows);
    QObject::connect(&windows, &glyphwright::WindowManager::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    windows.Start();
    return QApplication::exec();
}
