#pragma once

#include <QString>

#include "core/TableCode.h"
#include "core/Workspace.h"

namespace glyphwright {

class DocumentHistory;
class WindowQueries;

// A single entry: `characters` on `code`, listed in the Table Order, as one undoable step. Checked
// first (the characters in EUC-JP, room in the order) and refused with the user told why, leaving
// no trace. Whether it was stored.
bool PutSingleEntry(DocumentHistory& history, WindowQueries& user, TableCode code,
                    const QString& characters);

}  // namespace glyphwright
