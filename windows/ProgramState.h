#pragma once

#include "DocumentHistory.h"
#include "OpenGameFile.h"
#include "OrderListModel.h"
#include "OrderSelection.h"
#include "WindowManager.h"
#include "core/Document.h"

namespace glyphwright {

// The state of one run, made at start-up before any window and outliving them all: the document
// with its history, the Table Order's list model and selection, and the game file open.
struct ProgramState {
    Document document;
    DocumentHistory history{document};
    OrderListModel lines{document};
    OrderSelection selection{lines};
    OpenGameFile gameFile;

    [[nodiscard]] WindowServices Services(WindowQueries& user) {
        return {document, history, lines, selection, user, gameFile};
    }
};

}  // namespace glyphwright
