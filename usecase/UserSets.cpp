#include "UserSets.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "SetsMessages.h"
#include "core/sets/SetCatalogue.h"
#include "storage/SetFileStore.h"

namespace glyphwright {

QString UserSetsPath() {
    // The generic folder, not the application's: its name must not hang on how the program was
    // started (the command line has no application name set).
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/glyphwright/character-sets.txt");
}

std::optional<QString> LoadUserSets(SetCatalogue& sets, const std::string& path) {
    const auto read = ReadSetFileAt(path, true);
    if (!read) {
        const QString told = SetsMessages::Failure(read.error());
        // A file that could not be read at all (a folder in its place, no permission) holds no
        // damage to keep: it stays where it is.
        if (read.error().error != 0) return told;
        // The next set saved would replace the file, and with it every set it still holds: it
        // goes aside first, under a name of its own, for the user to mend or to import.
        const QString file = QFile::decodeName(QByteArray::fromStdString(path));
        QString aside = file + QStringLiteral(".damaged");
        for (int n = 2; QFileInfo::exists(aside); ++n) {
            aside = file + QStringLiteral(".damaged-%1").arg(n);
        }
        if (QFile::rename(file, aside))
            return told + QLatin1Char(' ') + SetsMessages::SetFileKeptAside(aside);
        return told;
    }
    if (const auto set = sets.SetUserSets(read.value()); !set) {
        return SetsMessages::Failure(set.error());
    }
    return std::nullopt;
}

Result<std::vector<UserSet>, SetFileReadError> ReadUserSets(const std::optional<QString>& file) {
    if (file) return ReadSetFileAt(QFile::encodeName(*file).toStdString());
    return ReadSetFileAt(QFile::encodeName(UserSetsPath()).toStdString(), true);
}

}  // namespace glyphwright
