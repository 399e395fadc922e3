#include "OpenProject.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

#include "SetsMessages.h"

namespace glyphwright {

Result<ReadProjectFile, ProjectOpenFailure> ReadProjectAt(const QString& path,
                                                          const SetCatalogue& sets) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return ProjectOpenFailure{ProjectUnreadable{path, file.errorString()}};
    }
    const QByteArray bytes = file.readAll();
    auto read = ReadProject(bytes, path, sets);
    if (!read) return ProjectOpenFailure{read.error()};
    // Read once already with the project, which is refused when they are damaged.
    auto kept = ReadKeptSets(bytes);
    return ReadProjectFile{path, std::move(read).value(),
                           kept ? std::move(kept).value() : std::vector<UserSet>{}};
}

Result<FittedSets, SetProblem> FitProjectSets(ReadProjectFile& project, SetCatalogue& sets) {
    // Only the sets a line lays: a copy kept of a set no line names any more changes nothing.
    std::vector<UserSet> laid;
    for (const UserSet& set : project.kept) {
        if (project.contents.order.Uses(set.name)) laid.push_back(set);
    }
    if (laid.empty()) return FittedSets{sets.UserSets(), {}, {}};
    FittedSets fitted = FitKeptSets(
        sets.UserSets(), laid,
        SetsMessages::ProjectSetSuffix(QFileInfo(project.path).fileName()).toStdString());
    if (!fitted.Changed()) return fitted;
    if (const auto set = sets.SetUserSets(fitted.userSets); !set) return set.error();
    RenameSetLines(project.contents.order, fitted.renamed);
    return fitted;
}

}  // namespace glyphwright
