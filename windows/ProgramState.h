#pragma once

#include "OpenGameFile.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "TableEvents.h"
#include "WindowManager.h"
#include "core/TableOrder.h"
#include "core/Workspace.h"

namespace glyphwright {

// The state of one run, made at start-up before any window and outliving them all: the code
// table, the Table Order with its list model and selection, the events the windows share and
// the game file open.
struct ProgramState {
    Workspace workspace;
    TableOrder order;
    OrderListModel lines{order};
    OrderSelection selection{lines};
    TableEvents events;
    OpenGameFile gameFile;

    [[nodiscard]] WindowServices Services(WindowQueries& user) {
        return {workspace, order, lines, selection, events, user, gameFile};
    }
};

}  // namespace glyphwright
