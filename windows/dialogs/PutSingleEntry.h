#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "core/table/Document.h"
#include "core/table/TableCode.h"

namespace glyphwright {

class DocumentHistory;
class WindowQueries;

// A single entry: `characters` on `code`, listed in the Table Order, as one undoable step. Checked
// first (the characters in EUC-JP, room in the order) and refused with the user told why, leaving
// no trace. Whether it was stored. A control code goes the same way, its label as the characters.
bool PutSingleEntry(DocumentHistory& history, WindowQueries& user, TableCode code,
                    const QString& characters, EntryKind kind = EntryKind::Ordinary);

// A control code: `entry` on `code`, listed in the Table Order by its label (a switch with no
// label by the table it names, "@kanji"), as one undoable step with a single entry's checks.
bool PutControlCode(DocumentHistory& history, WindowQueries& user, TableCode code,
                    TableEntry entry);

// An entry left out of several: its code, its characters, and why the table cannot hold them.
struct LeftOutEntry {
    TableCode code;
    QString characters;
    QString why;
};

// What became of several single entries.
struct SingleEntriesPut {
    int stored = 0;
    std::vector<LeftOutEntry> leftOut;  // in the order given
};

// Several single entries, each as PutSingleEntry would store it, undone and redone as one step
// named `name(stored)`. An entry whose characters the table cannot hold is left out and said
// why; the rest are stored. None when the Table Order has no room for the rest: the user is told
// and nothing is stored.
[[nodiscard]] std::optional<SingleEntriesPut> PutSingleEntries(
    DocumentHistory& history, WindowQueries& user,
    const std::vector<std::pair<TableCode, QString>>& entries,
    const std::function<QString(int stored)>& name);

}  // namespace glyphwright
