#pragma once

#include <string>

#include "Result.h"
#include "Workspace.h"

namespace glyphwright {

struct AssemblyError {
    enum class Kind {
        PastFF,        // a member of `setName` on `line` would land above code FF
        TooManyLines,  // more lines than there are record slots
        NothingToLay,  // no set laid and the start code is 00: the range would end at -1
    };
    Kind kind;
    int line = 0;          // 1-based Table Order line, for PastFF
    std::string setName;   // for PastFF
    int setStart = 0;      // code the failing set began at, for PastFF
};

// Lays the sets of the first `lineCount` Table Order lines onto TableText, from CurrentCode on,
// and sets LastCode to the code of the last member laid. All or nothing: on failure TableText and
// LastCode are exactly as they were.
[[nodiscard]] Result<Success, AssemblyError> AssembleTable(Workspace& workspace, int lineCount);

}  // namespace glyphwright
