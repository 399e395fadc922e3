#include "OutputFiles.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cstring>

#include "CommandLineMessages.h"
#include "CommandOutput.h"

namespace glyphwright {

namespace {

bool IsStandardOutput(const QString& path) {
    return path == QLatin1String("-");
}

// Where `path` would be written: its links followed, its folder made canonical.
QString PlaceOf(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) {
        info = QFileInfo(info.symLinkTarget());
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

}  // namespace

std::optional<QString> WriteOutputFile(const QString& path, std::string_view bytes,
                                       std::FILE* out,
                                       const std::function<QString(const FileError&)>& failed) {
    if (IsStandardOutput(path)) {
        if (const int error = WriteAll(out, bytes)) {
            return CommandLineMessages::StandardOutputFailed(
                QString::fromLocal8Bit(std::strerror(error)));
        }
        return std::nullopt;
    }
    if (const auto saved = SaveFileAtomically(QFile::encodeName(path).toStdString(), bytes);
        !saved) {
        return failed(saved.error());
    }
    return std::nullopt;
}

bool SameOutputFile(const QString& a, const QString& b) {
    if (IsStandardOutput(a) || IsStandardOutput(b)) return IsStandardOutput(a) && IsStandardOutput(b);
    struct stat first {};
    struct stat second {};
    if (::stat(QFile::encodeName(a).constData(), &first) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    return PlaceOf(a) == PlaceOf(b);
}

}  // namespace glyphwright
