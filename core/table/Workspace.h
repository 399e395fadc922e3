#pragma once

#include "core/table/ByteCode.h"
#include "core/table/TableEntries.h"

namespace glyphwright {

// The code table and the codes that carry a table from the windows to the file. The Table Order
// has an owner of its own (TableOrder).
struct Workspace {
    TableEntries TableText;    // every code's entry, one byte or two, as Unicode text
    ByteCode CurrentCode = 0;  // start code of the table being made
    ByteCode LastCode = 0;     // last code filled by the latest assembly

    friend bool operator==(const Workspace&, const Workspace&) = default;
};

}  // namespace glyphwright
