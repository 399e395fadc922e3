#include "core/sets/SetFile.h"

#include <algorithm>

#include "core/text/EucJp.h"

namespace glyphwright {
namespace {

struct Line {
    std::string_view text;
    std::size_t number = 0;  // 1-based
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({line, ++number});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

// Out of line: GCC 12 optimizing warns falsely of an uninitialized string when the error is built
// in place inside ReadSetFile.
[[gnu::noinline]] Result<std::vector<UserSet>, SetFileError> Damaged(SetFileError::Kind kind,
                                                                     std::size_t line,
                                                                     SetProblem problem = {},
                                                                     std::string text = {}) {
    SetFileError error;
    error.kind = kind;
    error.line = line;
    error.problem = std::move(problem);
    error.text = std::move(text);
    return error;
}

}  // namespace

Result<std::vector<UserSet>, SetFileError> ReadSetFile(std::string_view text) {
    using Kind = SetFileError::Kind;
    const auto lines = SplitLines(text);
    if (lines.empty() || lines.front().text != kSetFileHeader) {
        return Damaged(Kind::NotASetFile, 1);
    }
    std::vector<UserSet> sets;
    std::vector<std::size_t> setLines;                  // where each set begins
    std::vector<std::vector<std::size_t>> memberLines;  // where each member stands
    for (auto line = lines.begin() + 1; line != lines.end(); ++line) {
        const std::string_view t = line->text;
        if (t.empty() || t.front() == '#') continue;
        if (t.starts_with("set ")) {
            // A name cannot end in a carriage return: written back, it would end the line.
            std::string_view name = t.substr(4);
            while (!name.empty() && name.back() == '\r') name.remove_suffix(1);
            sets.push_back({std::string(name), {}});
            setLines.push_back(line->number);
            memberLines.emplace_back();
            continue;
        }
        if (t == "=" || t.starts_with("= ")) {
            if (sets.empty()) return Damaged(Kind::MemberOutsideSet, line->number);
            const std::string_view member = t.substr(std::min<std::size_t>(2, t.size()));
            const auto encoded = EncodeEucJp(member);
            memberLines.back().push_back(line->number);
            if (!encoded) {
                return Damaged(Kind::SetProblem, line->number,
                               {SetProblem::Kind::MemberNotStorable, sets.back().name,
                                sets.back().members.size(), std::string(member)});
            }
            sets.back().members.push_back(encoded.value());
            continue;
        }
        return Damaged(Kind::UnknownLine, line->number, {}, std::string(t));
    }
    for (std::size_t i = 0; i < sets.size(); ++i) {
        std::vector<UserSet> upTo(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        if (auto checked = CheckUserSets(upTo); !checked) {
            const SetProblem& problem = checked.error();
            const bool atMember = problem.kind == SetProblem::Kind::EmptyMember ||
                                  problem.kind == SetProblem::Kind::MemberNotStorable;
            const std::size_t where = atMember ? memberLines[i][problem.member] : setLines[i];
            return Damaged(Kind::SetProblem, where, problem);
        }
    }
    return sets;
}

namespace {

std::size_t CharacterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

Result<UserSet, SetProblem> MakeUserSet(std::string name, std::string_view typed, bool onePerLine) {
    std::vector<std::string> pieces;
    if (onePerLine) {
        for (const Line& line : SplitLines(typed)) pieces.emplace_back(line.text);
    } else {
        for (std::size_t at = 0; at < typed.size();) {
            const std::size_t length =
                std::min(CharacterLength(static_cast<unsigned char>(typed[at])), typed.size() - at);
            if (typed[at] != '\n' && typed[at] != '\r')
                pieces.emplace_back(typed.substr(at, length));
            at += length;
        }
    }
    UserSet set{std::move(name), {}};
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const auto encoded = EncodeEucJp(pieces[k]);
        if (!encoded) {
            return SetProblem{SetProblem::Kind::MemberNotStorable, set.name, k, pieces[k]};
        }
        set.members.push_back(encoded.value());
    }
    if (auto checked = CheckUserSet(set); !checked) return checked.error();
    return set;
}

bool NeedsOnePerLine(const CharacterSet& set) {
    EucJpDecoder decoder;
    for (const std::string_view member : set.members) {
        const auto decoded = decoder.Decode(member);
        if (!decoded || decoded.value().empty() ||
            CharacterLength(static_cast<unsigned char>(decoded.value()[0])) !=
                decoded.value().size()) {
            return true;
        }
    }
    return false;
}

std::string TypedMembers(const CharacterSet& set, bool onePerLine) {
    EucJpDecoder decoder;
    std::string text;
    for (const std::string_view member : set.members) {
        const auto decoded = decoder.Decode(member);
        text.append(decoded ? decoded.value() : std::string(member));
        if (onePerLine) text += '\n';
    }
    return text;
}

std::string WriteSetFile(const std::vector<UserSet>& sets) {
    std::string text(kSetFileHeader);
    text += '\n';
    EucJpDecoder decoder;
    for (const UserSet& set : sets) {
        text.append("\nset ").append(set.name).append(1, '\n');
        for (const std::string& member : set.members) {
            const auto decoded = decoder.Decode(member);
            text.append("= ").append(decoded ? decoded.value() : member).append(1, '\n');
        }
    }
    return text;
}

}  // namespace glyphwright
