#pragma once

#include <string>

#include "CommandRules.h"
#include "DocumentHistory.h"
#include "OpenGameFile.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "ProjectSession.h"
#include "WindowManager.h"
#include "core/sets/SetCatalogue.h"
#include "core/table/Document.h"

namespace glyphwright {

// The state of one run, made at start-up before any window and outliving them all: the sets the
// order may name, the document with its history, the Table Order's list model and selection, and
// the game file open, and when REMOVE and MAKE TABLE may be used.
struct ProgramState {
    SetCatalogue sets;
    Document document{sets};
    DocumentHistory history{document};
    OrderListModel lines{document};
    OrderSelection selection{lines};
    OpenGameFile gameFile{document};
    CommandRules rules{document};
    std::string setsPath;  // the user's set file; empty keeps the sets for this run only
    ProjectSession project{history, gameFile, sets, setsPath};

    [[nodiscard]] WindowServices Services(WindowQueries& user) {
        return {document,  history, project,  sets,  lines,
                selection, user,    gameFile, rules, setsPath};
    }
};

}  // namespace glyphwright
