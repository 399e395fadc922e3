#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {
struct ProjectError;

// Projects: the File menu's project actions and why a project was not read or written.
class ProjectMessages final {
    Q_DECLARE_TR_FUNCTIONS(ProjectMessages)

public:
    ProjectMessages() = delete;

    [[nodiscard]] static QString Failure(const ProjectError& failure);
    [[nodiscard]] static QString ProjectUnreadable(const QString& path, const QString& reason);
    [[nodiscard]] static QString NewProject();
    [[nodiscard]] static QString OpenProject();
    [[nodiscard]] static QString SaveProject();
    [[nodiscard]] static QString SaveProjectAs();
    [[nodiscard]] static QString OpenRecent();
    [[nodiscard]] static QString OpenProjectTitle();
    [[nodiscard]] static QString ProjectFileFilter();
    [[nodiscard]] static QString UntitledProject();
    // A project's name typed without its extension names a file that is there.
    [[nodiscard]] static QString ReplaceFile(const QString& file);
    [[nodiscard]] static QString UnsavedChanges(const QString& project);
};

}  // namespace glyphwright
