#pragma once

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

#include "core/sets/ProjectSets.h"
#include "core/sets/SetCatalogue.h"
#include "core/sets/UserSet.h"
#include "core/table/Document.h"
#include "core/table/Result.h"
#include "project/ProjectFile.h"

namespace glyphwright {

// A project file that could not be read at all; `reason` is the system's.
struct ProjectUnreadable {
    QString path;
    QString reason;
};

using ProjectOpenFailure = std::variant<ProjectUnreadable, ProjectError>;

// A project read, before it replaces anything: its contents and the copies of the user's sets
// it keeps.
struct ReadProjectFile {
    QString path;
    DocumentContents contents;
    std::vector<UserSet> kept;
};

// Opening a project, the same for the windows and the command line. First the file is read, all
// or nothing, its lines against `sets` (which must outlive the contents); nothing is changed, so
// a front end may still ask whether to let the work open now go.
[[nodiscard]] Result<ReadProjectFile, ProjectOpenFailure> ReadProjectAt(const QString& path,
                                                                        const SetCatalogue& sets);

// Then the sets it keeps join the user's own in `sets` (see FitKeptSets), and the project's lines
// that lay a set of a different content take the name its copy was added under. What was added
// comes back; the catalogue and the lines are as they were when the sets cannot be taken. The
// front end decides whether the sets are saved: the windows keep them, a script's run does not.
[[nodiscard]] Result<FittedSets, SetProblem> FitProjectSets(ReadProjectFile& project,
                                                            SetCatalogue& sets);

}  // namespace glyphwright
