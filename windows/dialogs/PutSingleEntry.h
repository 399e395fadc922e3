#pragma once

#include <QString>

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

// Several single entries, each as PutSingleEntry would store it, undone and redone as one step
// named `name`. All are checked first; one refused refuses them all.
bool PutSingleEntries(DocumentHistory& history, WindowQueries& user,
                      const std::vector<std::pair<TableCode, QString>>& entries,
                      const QString& name);

}  // namespace glyphwright
