#include "CommandValues.h"

#include <QFile>

#include "UserSetsPath.h"

namespace glyphwright {

std::optional<TableFormat> ReadFormat(const QString& name) {
    if (name == QLatin1String("classic")) return TableFormat::Classic;
    if (name == QLatin1String("utf8")) return TableFormat::Utf8;
    if (name == QLatin1String("sjis")) return TableFormat::ShiftJis;
    return std::nullopt;
}

Result<std::vector<UserSet>, SetFileReadError> UserSets(const std::optional<QString>& file) {
    if (file) return ReadSetFileAt(QFile::encodeName(*file).toStdString());
    return ReadSetFileAt(QFile::encodeName(UserSetsPath()).toStdString(), true);
}

}  // namespace glyphwright
