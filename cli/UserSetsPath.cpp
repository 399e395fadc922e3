#include "UserSetsPath.h"

#include <QStandardPaths>

#include "Messages.h"
#include "SetFileStore.h"
#include "core/SetCatalogue.h"

namespace glyphwright {

QString UserSetsPath() {
    // The generic folder, not the application's: its name must not hang on how the program was
    // started (the command line has no application name set).
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/glyphwright/character-sets.txt");
}

std::optional<QString> LoadUserSets(SetCatalogue& sets, const std::string& path) {
    const auto read = ReadSetFileAt(path, true);
    if (!read) return Messages::Failure(read.error());
    if (const auto set = sets.SetUserSets(read.value()); !set) {
        return Messages::Failure(set.error());
    }
    return std::nullopt;
}

}  // namespace glyphwright
