#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/Result.h"
#include "core/sets/SetCatalogue.h"
#include "core/sets/UserSet.h"

namespace glyphwright {

// The text form of the user's sets, in UTF-8; the same text serves the sets kept in the
// configuration folder, an export, an import and a set file given to the command line:
//
//     Glyphwright character sets 1
//     # a comment, and blank lines, anywhere
//     set Town names
//     = あ
//     = きゃ
//
// The first line names the format and its version. "set NAME" begins a set; each "= TEXT" line
// after it adds one member, TEXT being everything after "= ", blanks included, so a member may be
// a blank or several characters. Line ends may be LF or CR LF.
inline constexpr std::string_view kSetFileHeader = "Glyphwright character sets 1";

// What is wrong with a set file, and on which line (1-based; 0 when the file as a whole).
struct SetFileError {
    enum class Kind {
        NotASetFile,       // the first line is not the header
        UnknownLine,       // neither a comment, a set nor a member
        MemberOutsideSet,  // a member before the first "set" line
        SetProblem,        // the set fails its check; `problem` says how
    };
    Kind kind = Kind::NotASetFile;
    std::size_t line = 0;
    SetProblem problem;  // for SetProblem
    std::string text;    // the line as read, for UnknownLine

    friend bool operator==(const SetFileError&, const SetFileError&) = default;
};

[[nodiscard]] Result<std::vector<UserSet>, SetFileError> ReadSetFile(std::string_view text);

// A set as the user typed it (UTF-8): each character a member, or, `onePerLine`, each line one
// (so that a member may be several characters, a DTE pair say; a last empty line is no member).
// Checked as CheckUserSet checks; the names of other sets are not looked at.
[[nodiscard]] Result<UserSet, SetProblem> MakeUserSet(std::string name, std::string_view typed,
                                                      bool onePerLine);
// The text MakeUserSet reads back into `set`, as the user would type it.
[[nodiscard]] std::string TypedMembers(const CharacterSet& set, bool onePerLine);
// Whether a set can only be typed one member a line: some member is not one character.
[[nodiscard]] bool NeedsOnePerLine(const CharacterSet& set);
[[nodiscard]] std::string WriteSetFile(const std::vector<UserSet>& sets);

}  // namespace glyphwright
