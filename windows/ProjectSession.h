#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

#include "core/table/Document.h"
#include "core/sets/ProjectSets.h"

namespace glyphwright {

class DocumentHistory;
class OpenGameFile;
struct ReadProjectFile;
class SetCatalogue;
class WindowQueries;

// The project the document is kept in: its file, whether the document has changed since it was
// saved or opened, and New, Open, Save and Save As. A run that never opens or saves a project
// behaves as the classic program did: its exit asks nothing more. A project keeps a copy of the
// user's sets its order lays; opened, the copies join the user's sets in `sets` (kept in the set
// file at `setsPath`, none when empty) where the user lacks them or has a different set of the
// name.
class ProjectSession final : public QObject, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectSession)

public:
    ProjectSession(DocumentHistory& history, OpenGameFile& gameFile, SetCatalogue& sets,
                   const std::string& setsPath, QObject* parent = nullptr);
    ~ProjectSession() override;

    [[nodiscard]] const QString& Path() const { return path_; }
    [[nodiscard]] bool InUse() const { return inUse_; }
    [[nodiscard]] bool IsModified() const;
    // The project file's name, or "Untitled" for work never saved as a project.
    [[nodiscard]] QString Name() const;
    // "name.gwproj*" for a changed project, "" while no project is in use.
    [[nodiscard]] QString TitlePart() const;

    // Each true when done, false when the user cancelled or it failed (and was told so).
    bool New(WindowQueries& user);
    bool Open(WindowQueries& user);
    bool OpenPath(const QString& path, WindowQueries& user);
    bool Save(WindowQueries& user);
    bool SaveAs(WindowQueries& user);
    // Whether the work may be let go: Save / Discard / Cancel when a project in use has unsaved
    // changes; always true in a run that never used a project.
    bool MayClose(WindowQueries& user);

    // Projects opened or saved lately, newest first (kept between runs).
    [[nodiscard]] static QStringList RecentProjects();

signals:
    void stateChanged();  // the path or whether the document is modified

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    bool SaveTo(const QString& path, WindowQueries& user);
    bool MayReplace(WindowQueries& user);
    void Begin(const QString& path);
    void TellIfModifiedChanged();
    static void Remember(const QString& path);
    // Adds the sets the project file keeps to the user's and renames the project's lines that
    // lay a set the user has differently; what was done, or nothing (the user told why).
    FittedSets FitSets(ReadProjectFile& project, WindowQueries& user);

    DocumentHistory& history_;
    OpenGameFile& gameFile_;
    SetCatalogue& sets_;
    const std::string& setsPath_;
    QString path_;
    bool inUse_ = false;
    // The document's revision the project file holds; nullopt when no state of the document is
    // the file's (lines renamed as the project was opened).
    std::optional<std::uint64_t> savedRevision_;
    bool shownModified_ = false;  // what stateChanged last told
    bool replacing_ = false;
};

}  // namespace glyphwright
