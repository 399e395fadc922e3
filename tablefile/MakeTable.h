#pragma once

#include <string_view>

#include "UserQueries.h"
#include "core/Workspace.h"

namespace glyphwright {

inline constexpr std::string_view kStartCodePrompt = "What hex byte does the font table start at?";
inline constexpr std::string_view kStartCodeTitle = "Where does font table begin";
inline constexpr std::string_view kTableFileFilter = ".tbl files (*.tbl)";
inline constexpr std::string_view kMessageTitle = "Glyphwright";

enum class MakeTableOutcome {
    Written,    // the file is in place
    Cancelled,  // the user cancelled the input box or the Save dialog; nothing was said
    Failed,     // the user was told why in a message box; no file was written
};

// "MAKE TABLE": reads the start code from `startCodeText` (or asks for it when that is empty),
// lays the first `lineCount` Table Order lines, asks for a path and writes the table file.
MakeTableOutcome MakeTable(Workspace& workspace, std::string_view startCodeText, int lineCount,
                           UserQueries& user);

}  // namespace glyphwright
