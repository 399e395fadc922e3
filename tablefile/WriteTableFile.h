#pragma once

#include <string>

#include "core/table/Workspace.h"

namespace glyphwright {

// Appends the table file for codes first..last to `file`: one line per code, "XX=" + the slot's
// bytes + 0D 0D 0A; codes 00-0F always get a line, codes 10-FF only when their slot holds
// something; then the trailer line 0D 0D 0A. Nothing but the trailer when last < first.
void WriteTableFile(std::string& file, const CodeTable& tableText, ByteCode first, ByteCode last);

}  // namespace glyphwright
