#include "ProjectSession.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "DocumentHistory.h"
#include "FileMessages.h"
#include "GameFileMessages.h"
#include "OpenGameFile.h"
#include "ProgramMessages.h"
#include "ProjectMessages.h"
#include "SetsMessages.h"
#include "OpenProject.h"
#include "WindowQueries.h"
#include "core/sets/SetCatalogue.h"
#include "storage/SaveFileAtomically.h"
#include "storage/SetFileStore.h"

namespace glyphwright {

namespace {

constexpr int kRecentCount = 8;
constexpr const char* kExtension = ".gwproj";

void Tell(WindowQueries& user, const QString& text) {
    user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                     MessageIcon::Exclamation);
}

}  // namespace

ProjectSession::ProjectSession(DocumentHistory& history, OpenGameFile& gameFile, SetCatalogue& sets,
                               const std::string& setsPath, QObject* parent)
    : QObject(parent), history_(history), gameFile_(gameFile), sets_(sets), setsPath_(setsPath) {
    history_.Doc().AddObserver(*this);
    savedRevision_ = history_.Doc().Revision();
}

ProjectSession::~ProjectSession() {
    history_.Doc().RemoveObserver(*this);
}

bool ProjectSession::IsModified() const {
    return savedRevision_ != history_.Doc().Revision();
}

QString ProjectSession::Name() const {
    return path_.isEmpty() ? ProjectMessages::UntitledProject() : QFileInfo(path_).fileName();
}

QString ProjectSession::TitlePart() const {
    if (!inUse_) return {};
    return IsModified() ? Name() + QLatin1Char('*') : Name();
}

void ProjectSession::DocumentChanged(const DocumentChange&) {
    if (!replacing_) TellIfModifiedChanged();
}

void ProjectSession::TellIfModifiedChanged() {
    if (IsModified() == shownModified_) return;
    shownModified_ = IsModified();
    emit stateChanged();
}

void ProjectSession::Begin(const QString& path) {
    path_ = path;
    inUse_ = true;
    savedRevision_ = history_.Doc().Revision();
    shownModified_ = false;
    emit stateChanged();
}

bool ProjectSession::MayReplace(WindowQueries& user) {
    if (!IsModified()) return true;
    switch (user.AskSaveDiscardCancel(ProgramMessages::Title().toStdString(),
                                      ProjectMessages::UnsavedChanges(Name()).toStdString())) {
        case WindowQueries::Choice::Save:
            return Save(user);
        case WindowQueries::Choice::Discard:
            return true;
        case WindowQueries::Choice::Cancel:
            return false;
    }
    return false;
}

bool ProjectSession::MayClose(WindowQueries& user) {
    return !inUse_ || MayReplace(user);
}

bool ProjectSession::New(WindowQueries& user) {
    if (!MayReplace(user)) return false;
    replacing_ = true;
    history_.Doc().Replace(DocumentContents());
    replacing_ = false;
    history_.Forget();
    Begin({});
    return true;
}

bool ProjectSession::Open(WindowQueries& user) {
    const auto path = user.AskOpenPath(ProjectMessages::OpenProjectTitle().toStdString());
    if (!path || path->empty()) return false;
    return OpenPath(QFile::decodeName(QByteArray::fromStdString(*path)), user);
}

bool ProjectSession::OpenPath(const QString& path, WindowQueries& user) {
    auto read = ReadProjectAt(path, history_.Doc().Catalogue());
    if (!read) {
        if (const auto* unreadable = std::get_if<ProjectUnreadable>(&read.error())) {
            Tell(user, ProjectMessages::ProjectUnreadable(unreadable->path, unreadable->reason));
        } else {
            Tell(user, ProjectMessages::Failure(std::get<ProjectError>(read.error())));
        }
        return false;
    }
    // Read first: a file that cannot be opened needs no question about the work open now.
    if (!MayReplace(user)) return false;
    ReadProjectFile project = std::move(read).value();
    const FittedSets fitted = FitSets(project, user);
    replacing_ = true;
    history_.Doc().Replace(std::move(project.contents));
    replacing_ = false;
    history_.Forget();
    Begin(path);
    Remember(path);
    // The game file comes with the project when it is still there.
    if (const std::string& game = history_.Doc().Contents().gameFilePath; !game.empty()) {
        auto opened = GameFile::Open(game);
        if (opened) {
            gameFile_.Set(opened.value());
        } else {
            Tell(user, GameFileMessages::Failure(opened.error()));
        }
    }
    if (fitted.Changed()) Tell(user, SetsMessages::KeptSetsAdded(fitted.added, fitted.renamed));
    // Lines that took a new name differ from the file: the project is changed until saved.
    if (!fitted.renamed.empty()) savedRevision_.reset();
    shownModified_ = IsModified();
    emit stateChanged();
    return true;
}

FittedSets ProjectSession::FitSets(ReadProjectFile& project, WindowQueries& user) {
    const auto fitted = FitProjectSets(project, sets_);
    if (!fitted) {
        Tell(user, SetsMessages::Failure(fitted.error()));
        return {};
    }
    if (!fitted.value().Changed()) return fitted.value();
    history_.Doc().SetsChanged();
    if (!setsPath_.empty()) {
        if (const auto saved = SaveSetFileAt(setsPath_, sets_.UserSets()); !saved) {
            Tell(user, FileMessages::Failure(saved.error()));
        }
    }
    return fitted.value();
}

bool ProjectSession::Save(WindowQueries& user) {
    return path_.isEmpty() ? SaveAs(user) : SaveTo(path_, user);
}

bool ProjectSession::SaveAs(WindowQueries& user) {
    // The project's own file, or a new one: never the table's, which the dialog saved last.
    const QString offered =
        path_.isEmpty() ? ProjectMessages::UntitledProject() + QLatin1String(kExtension) : path_;
    const auto answer = user.AskSavePath({ProjectMessages::ProjectFileFilter().toStdString()},
                                         QFile::encodeName(offered).toStdString());
    if (!answer || answer->path.empty()) return false;
    QString path = QFile::decodeName(QByteArray::fromStdString(answer->path));
    // A name typed bare becomes a project's. The dialog asked about the name as typed; the file
    // with the extension is asked about here.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1String(kExtension);
        if (QFileInfo::exists(path) &&
            !user.AskYesNo(ProgramMessages::Title().toStdString(),
                           ProjectMessages::ReplaceFile(QFileInfo(path).fileName()).toStdString(),
                           MessageIcon::Exclamation)) {
            return false;
        }
    }
    return SaveTo(path, user);
}

bool ProjectSession::SaveTo(const QString& path, WindowQueries& user) {
    const QByteArray file = WriteProject(history_.Doc().Contents(), path);
    const auto saved =
        SaveFileAtomically(QFile::encodeName(path).toStdString(), file.toStdString());
    if (!saved) {
        Tell(user, FileMessages::Failure(saved.error()));
        return false;
    }
    Begin(path);
    Remember(path);
    return true;
}

QStringList ProjectSession::RecentProjects() {
    return QSettings().value(QStringLiteral("recentProjects")).toStringList();
}

void ProjectSession::Remember(const QString& path) {
    QStringList recent = RecentProjects();
    const QString full = QFileInfo(path).absoluteFilePath();
    recent.removeAll(full);
    recent.prepend(full);
    while (recent.size() > kRecentCount) recent.removeLast();
    QSettings().setValue(QStringLiteral("recentProjects"), recent);
}

}  // namespace glyphwright
