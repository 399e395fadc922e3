#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sets/CharacterSet.h"
#include "core/table/Result.h"
#include "core/sets/UserSet.h"

namespace glyphwright {

// Why a set may not join the catalogue. `member` is the 0-based place of the member at fault;
// `text` the member (UTF-8) or the name in question.
struct SetProblem {
    enum class Kind {
        EmptyName,
        NameOfBuiltIn,  // the name is a built-in set's
        NameTaken,      // another of the user's sets has it
        NoMembers,
        EmptyMember,
        MemberNotStorable,  // EUC-JP has no code for it, so a classic table could not hold it
    };
    Kind kind = Kind::EmptyName;
    std::string set;
    std::size_t member = 0;
    std::string text;

    friend bool operator==(const SetProblem&, const SetProblem&) = default;
};

// Every set a Table Order, the search and the views can name: the built-in ones, then the user's.
// Made once at start-up and handed on; a change of the user's sets rebuilds the views, so a
// CharacterSet taken from here is good until the next SetUserSets.
class SetCatalogue {
public:
    SetCatalogue();
    explicit SetCatalogue(std::vector<UserSet> userSets);  // unchecked: for sets read and checked
    SetCatalogue(const SetCatalogue&) = delete;
    SetCatalogue& operator=(const SetCatalogue&) = delete;

    // The built-in sets only; for code that has no user to ask (tests, the fuzzers).
    [[nodiscard]] static const SetCatalogue& BuiltInsOnly();

    // Built-in sets first, in their catalogue order, then the user's in theirs.
    [[nodiscard]] std::span<const CharacterSet> Sets() const { return views_; }
    [[nodiscard]] std::size_t BuiltInCount() const;
    [[nodiscard]] bool IsBuiltIn(std::size_t index) const { return index < BuiltInCount(); }
    [[nodiscard]] const std::vector<UserSet>& UserSets() const { return user_; }
    // The set named exactly `name`, or nullptr.
    [[nodiscard]] const CharacterSet* Find(std::string_view name) const;

    // Checks every set, then takes them all in place of the user's sets; on a problem nothing
    // changes.
    [[nodiscard]] Result<Success, SetProblem> SetUserSets(std::vector<UserSet> sets);

private:
    void Rebuild();

    std::vector<UserSet> user_;
    std::vector<std::vector<std::string_view>> userMembers_;
    std::vector<std::vector<std::string>> userTexts_;  // the members decoded, as laying puts them
    std::vector<std::vector<std::string_view>> userTextViews_;
    std::vector<CharacterSet> views_;
};

// The first problem of `sets` as a whole: each must pass CheckUserSet and the names must differ.
[[nodiscard]] Result<Success, SetProblem> CheckUserSets(const std::vector<UserSet>& sets);
// One set on its own: a name that is no built-in's, at least one member, none empty, every one
// valid EUC-JP.
[[nodiscard]] Result<Success, SetProblem> CheckUserSet(const UserSet& set);

}  // namespace glyphwright
