#include "ProjectMessages.h"

#include "MessageText.h"
#include "project/ProjectFile.h"

namespace glyphwright {

QString ProjectMessages::Failure(const ProjectError& failure) {
    switch (failure.kind) {
        case ProjectError::Kind::NotJson:
            return tr("The project file is damaged: %1. It was not opened.").arg(failure.detail);
        case ProjectError::Kind::NotProject:
            return tr("This is not a Glyphwright project file. It was not opened.");
        case ProjectError::Kind::Newer:
            return tr("The project file was made by a newer Glyphwright (project version %1; this "
                      "one reads up to version %2). It was not opened.")
                .arg(failure.detail)
                .arg(kProjectVersion);
        case ProjectError::Kind::BadField:
            return tr("The project file is damaged: \"%1\" is missing or wrong. It was not "
                      "opened.")
                .arg(failure.detail);
    }
    return tr("The project file was not opened.");
}

QString ProjectMessages::ProjectUnreadable(const QString& path, const QString& reason) {
    return tr("The project file \"%1\" could not be read: %2.").arg(path, reason);
}

QString ProjectMessages::NewProject() {
    return tr("&New");
}

QString ProjectMessages::OpenProject() {
    return tr("Open &Project\u2026");
}

QString ProjectMessages::SaveProject() {
    return tr("Save P&roject");
}

QString ProjectMessages::SaveProjectAs() {
    return tr("Save Project &As\u2026");
}

QString ProjectMessages::OpenRecent() {
    return tr("Open &Recent");
}

QString ProjectMessages::OpenProjectTitle() {
    return tr("Open Project");
}

QString ProjectMessages::ProjectFileFilter() {
    return tr("Glyphwright projects (*.gwproj)");
}

QString ProjectMessages::UntitledProject() {
    return tr("Untitled");
}

QString ProjectMessages::ReplaceFile(const QString& file) {
    return tr("%1 already exists. Do you want to replace it?").arg(file);
}

QString ProjectMessages::UnsavedChanges(const QString& project) {
    return tr("The project %1 has changes that are not saved. Save them?").arg(project);
}

}  // namespace glyphwright
