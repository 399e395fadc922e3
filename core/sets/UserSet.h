#pragma once

#include <string>
#include <vector>

namespace glyphwright {

// A set of the user's own: a name and its members in code order. Members are held as they are
// stored in a table, EUC-JP bytes like the built-in kana; a member may be several characters
// (a DTE pair, say).
struct UserSet {
    std::string name;  // UTF-8; the built-in names are ASCII, so names compare as bytes
    std::vector<std::string> members;

    friend bool operator==(const UserSet&, const UserSet&) = default;
};

}  // namespace glyphwright
