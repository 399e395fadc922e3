#include "core/sets/SetCatalogue.h"

#include <algorithm>
#include <utility>

#include "core/sets/BuiltInSets.h"
#include "core/text/EucJp.h"

namespace glyphwright {

SetCatalogue::SetCatalogue() {
    Rebuild();
}

SetCatalogue::SetCatalogue(std::vector<UserSet> userSets) : user_(std::move(userSets)) {
    Rebuild();
}

const SetCatalogue& SetCatalogue::BuiltInsOnly() {
    static const SetCatalogue builtIns;
    return builtIns;
}

std::size_t SetCatalogue::BuiltInCount() const {
    return BuiltInSets().size();
}

const CharacterSet* SetCatalogue::Find(std::string_view name) const {
    for (const CharacterSet& set : views_) {
        if (set.name == name) return &set;
    }
    return nullptr;
}

Result<Success, SetProblem> SetCatalogue::SetUserSets(std::vector<UserSet> sets) {
    if (auto checked = CheckUserSets(sets); !checked) return checked;
    user_ = std::move(sets);
    Rebuild();
    return Success{};
}

void SetCatalogue::Rebuild() {
    // The views point into user_, whose strings may have moved: all are made anew.
    userMembers_.clear();
    userTexts_.clear();
    userTextViews_.clear();
    EucJpDecoder decoder;
    for (const UserSet& set : user_) {
        userMembers_.emplace_back(set.members.begin(), set.members.end());
        std::vector<std::string>& texts = userTexts_.emplace_back();
        // The sets are checked to be EUC-JP when they are taken; one read unchecked from a file
        // lays its bytes as they are rather than nothing.
        for (const std::string& member : set.members) {
            auto decoded = decoder.Decode(member);
            texts.push_back(decoded ? std::move(decoded).value() : member);
        }
    }
    for (const auto& texts : userTexts_) userTextViews_.emplace_back(texts.begin(), texts.end());
    views_.assign(BuiltInSets().begin(), BuiltInSets().end());
    for (std::size_t i = 0; i < user_.size(); ++i) {
        views_.push_back({user_[i].name, userMembers_[i], userTextViews_[i]});
    }
}

Result<Success, SetProblem> CheckUserSet(const UserSet& set) {
    using Kind = SetProblem::Kind;
    if (set.name.empty()) return SetProblem{Kind::EmptyName, set.name, 0, {}};
    if (FindBuiltInSet(set.name)) return SetProblem{Kind::NameOfBuiltIn, set.name, 0, set.name};
    if (set.members.empty()) return SetProblem{Kind::NoMembers, set.name, 0, {}};
    EucJpDecoder decoder;
    for (std::size_t k = 0; k < set.members.size(); ++k) {
        const std::string& member = set.members[k];
        if (member.empty()) return SetProblem{Kind::EmptyMember, set.name, k, {}};
        // A line break would split the member's table line in two.
        const auto decoded = decoder.Decode(member);
        if (!decoded || member.find_first_of("\r\n") != std::string::npos) {
            return SetProblem{Kind::MemberNotStorable, set.name, k,
                              decoded ? decoded.value() : std::string()};
        }
    }
    return Success{};
}

Result<Success, SetProblem> CheckUserSets(const std::vector<UserSet>& sets) {
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (auto checked = CheckUserSet(sets[i]); !checked) return checked;
        const auto same = std::find_if(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(i),
                                       [&](const UserSet& s) { return s.name == sets[i].name; });
        if (same != sets.begin() + static_cast<std::ptrdiff_t>(i)) {
            return SetProblem{SetProblem::Kind::NameTaken, sets[i].name, 0, sets[i].name};
        }
    }
    return Success{};
}

}  // namespace glyphwright
