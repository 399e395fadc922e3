#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/table/TableOrder.h"
#include "core/sets/UserSet.h"

namespace glyphwright {

// The user's sets that the lines of `order` lay, as the catalogue has them now, in the order of
// their first line: what a project keeps so that it lays the same characters elsewhere. Built-in
// sets are not kept; every Glyphwright has them.
[[nodiscard]] std::vector<UserSet> SetsKeptBy(const TableOrder& order);

// The sets a project keeps, fitted into the user's own when it is opened.
struct FittedSets {
    std::vector<UserSet> userSets;   // the user's sets, then those the project brought
    std::vector<std::string> added;  // kept sets the user lacked, added under their own names
    // A kept set that differs from the user's set of its name: its name, and the name it was
    // added under, which the project's lines take.
    std::vector<std::pair<std::string, std::string>> renamed;

    [[nodiscard]] bool Changed() const { return !added.empty() || !renamed.empty(); }
};

// The user's sets `mine` with every set of `kept`: one the user lacks is added as it is; one that
// differs from the user's set of the same name is added as "NAME" + `suffix` (then + " 2", " 3"
// … until the name is free). The user's own sets are never changed, so that nothing made with
// them elsewhere changes, and the project lays exactly what it was made with.
[[nodiscard]] FittedSets FitKeptSets(std::vector<UserSet> mine, const std::vector<UserSet>& kept,
                                     std::string_view suffix);

// The lines of `order` that lay a set `renamed` names take its new name.
void RenameSetLines(TableOrder& order,
                    const std::vector<std::pair<std::string, std::string>>& renamed);

}  // namespace glyphwright
