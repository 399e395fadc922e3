#pragma once

#include <QStringList>
#include <QVariant>

namespace glyphwright {

// A model's headerData() for the columns named by `headers`: their names across the top, nothing
// else.
[[nodiscard]] inline QVariant ColumnHeader(const QStringList& headers, int section,
                                           Qt::Orientation orientation, int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers.size()) {
        return {};
    }
    return headers[section];
}

}  // namespace glyphwright
