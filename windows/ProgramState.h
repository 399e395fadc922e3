#pragma once

#include <string>

#include "OpenGameFile.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "TableEvents.h"
#include "WindowManager.h"
#include "core/SetCatalogue.h"
#include "core/TableOrder.h"
#include "core/Workspace.h"

namespace glyphwright {

// The state of one run, made at start-up before any window and outliving them all: the code
// table, the sets the order may name, the Table Order with its list model and selection, the events
// the windows share and the game file open.
struct ProgramState {
    Workspace workspace;
    SetCatalogue sets;
    TableOrder order{sets};
    OrderListModel lines{order};
    OrderSelection selection{lines};
    TableEvents events;
    OpenGameFile gameFile;
    std::string setsPath;  // the user's set file; empty keeps the sets for this run only

    [[nodiscard]] WindowServices Services(WindowQueries& user) {
        return {workspace, sets, order, lines, selection, events, user, gameFile, setsPath};
    }
};

}  // namespace glyphwright
