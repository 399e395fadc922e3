#include "GameFileMessages.h"

#include "MessageText.h"
#include "core/game/GameFile.h"

namespace glyphwright {

QString GameFileMessages::OpenGameFileTitle() {
    return tr("Open Game File");
}

QString GameFileMessages::Failure(const GameFileError& failure) {
    const QString path = QString::fromLocal8Bit(failure.path);
    const QString reason = QString::fromLocal8Bit(std::strerror(failure.error));
    switch (failure.kind) {
        case GameFileProblem::CannotOpen:
            return tr("The game file \"%1\" could not be opened: %2.").arg(path, reason);
        case GameFileProblem::NotAFile:
            return tr("\"%1\" is not a file but a folder, a device or the like. Choose a game "
                      "file.")
                .arg(path);
        case GameFileProblem::CannotRead:
            return tr("The game file \"%1\" could not be read: %2.").arg(path, reason);
        case GameFileProblem::SizeChanged:
            return tr("The game file \"%1\" changed size while it was being read. Open it "
                      "again once nothing writes to it any more.")
                .arg(path);
        case GameFileProblem::Vanished:
            return tr("The game file \"%1\" was deleted or replaced while it was being read. "
                      "Open it again.")
                .arg(path);
    }
    return tr("The game file \"%1\" could not be read.").arg(path);
}

QString GameFileMessages::GameFileShown(const QString& path, quint64 size) {
    // One source text for each English form: a translator gives each language its own.
    return size == 1 ? tr("%1 (1 byte)").arg(path) : tr("%1 (%2 bytes)").arg(path).arg(size);
}

QString GameFileMessages::NoGameFile() {
    return tr("No game file is open: File \u2192 Open Game File\u2026 (Ctrl+O).");
}

}  // namespace glyphwright
