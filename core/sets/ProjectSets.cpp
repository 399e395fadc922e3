#include "core/sets/ProjectSets.h"

#include <algorithm>

#include "core/sets/BuiltInSets.h"
#include "core/sets/SetCatalogue.h"

namespace glyphwright {

namespace {

const UserSet* Named(const std::vector<UserSet>& sets, std::string_view name) {
    const auto found =
        std::find_if(sets.begin(), sets.end(), [&](const UserSet& s) { return s.name == name; });
    return found == sets.end() ? nullptr : &*found;
}

}  // namespace

std::vector<UserSet> SetsKeptBy(const TableOrder& order) {
    std::vector<UserSet> kept;
    for (int line = 0; line < order.LineCount(); ++line) {
        const CharacterSet* set = order.SetOf(line);
        if (set == nullptr || FindBuiltInSet(set->name) || Named(kept, set->name)) continue;
        kept.push_back({std::string(set->name), {set->members.begin(), set->members.end()}});
    }
    return kept;
}

FittedSets FitKeptSets(std::vector<UserSet> mine, const std::vector<UserSet>& kept,
                       std::string_view suffix) {
    FittedSets fitted;
    fitted.userSets = std::move(mine);
    for (const UserSet& set : kept) {
        const UserSet* same = Named(fitted.userSets, set.name);
        if (same != nullptr && same->members == set.members) continue;
        if (same == nullptr) {
            fitted.userSets.push_back(set);
            fitted.added.push_back(set.name);
            continue;
        }
        // The same members under another name already (opened before, say): that one serves.
        const auto twin =
            std::find_if(fitted.userSets.begin(), fitted.userSets.end(), [&](const UserSet& s) {
                return s.members == set.members &&
                       s.name.starts_with(set.name + std::string(suffix));
            });
        if (twin != fitted.userSets.end()) {
            fitted.renamed.emplace_back(set.name, twin->name);
            continue;
        }
        std::string name = set.name + std::string(suffix);
        for (int n = 2; Named(fitted.userSets, name) || FindBuiltInSet(name); ++n) {
            name = set.name + std::string(suffix) + ' ' + std::to_string(n);
        }
        fitted.userSets.push_back({name, set.members});
        fitted.renamed.emplace_back(set.name, name);
    }
    return fitted;
}

void RenameSetLines(TableOrder& order,
                    const std::vector<std::pair<std::string, std::string>>& renamed) {
    for (int line = 0; line < order.LineCount(); ++line) {
        TableOrderLine value = order.Line(line);
        if (!value.laysSet) continue;
        const auto found = std::find_if(renamed.begin(), renamed.end(),
                                        [&](const auto& pair) { return pair.first == value.text; });
        if (found == renamed.end()) continue;
        value.text = found->second;
        order.Remove(line);
        (void)order.Insert(line, std::move(value));
    }
}

}  // namespace glyphwright
