#include "ImportTable.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/text/EucJp.h"
#include "core/text/TextConverter.h"

namespace glyphwright {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The file's lines with their line ends taken off. A run of CRs before an LF ends one line
// (CR LF, and the classic CR CR LF); a CR with no LF after its run ends a line by itself, as
// files from older Macs end them.
std::vector<std::string_view> Lines(std::string_view file) {
    std::vector<std::string_view> lines;
    while (!file.empty()) {
        const std::size_t end = file.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back(file);
            break;
        }
        lines.push_back(file.substr(0, end));
        std::size_t next = end;
        while (next < file.size() && file[next] == '\r') ++next;
        if (next < file.size() && file[next] == '\n') {
            ++next;
        } else {
            next = end + 1;  // a lone CR
        }
        file.remove_prefix(next);
    }
    return lines;
}

}  // namespace

TableFormat DetectTableFormat(std::string_view file) {
    if (file.starts_with(kBom)) return TableFormat::Utf8;
    if (file.find("\r\r\n") != std::string_view::npos) return TableFormat::Classic;
    if (TextConverter("UTF-8", "UTF-8").Convert(file).ok()) return TableFormat::Utf8;
    if (TextConverter("UTF-8", "CP932").Convert(file).ok()) return TableFormat::ShiftJis;
    return TableFormat::Classic;
}

namespace {

// A decimal count as a file spells it: digits, perhaps after a minus sign. Too many digits for
// any count read here stand for a count out of range (LLONG_MAX).
std::optional<long long> ReadCount(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 30) return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value < 1'000'000'000'000LL) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// What the right-hand side of a "!" or "$" line says, once read.
struct ControlSide {
    EntryKind kind = EntryKind::Linked;
    std::string_view label;
    std::string_view table;
    long long count = 0;
};

enum class SideProblem { None, BadLine, Directive, BadCount };

// "[label],N" of a linked entry in the Table File Standard.
SideProblem ReadLinked(std::string_view side, ControlSide& read) {
    if (!side.starts_with('[')) return SideProblem::BadLine;
    const std::size_t close = side.find(']');
    if (close == std::string_view::npos || close + 1 >= side.size() || side[close + 1] != ',') {
        return SideProblem::BadLine;
    }
    read.kind = EntryKind::Linked;
    read.label = side.substr(1, close - 1);
    const auto count = ReadCount(side.substr(close + 2));
    if (!count) return SideProblem::BadLine;
    read.count = *count;
    return SideProblem::None;
}

// The right-hand side of a "!" line: "id,N" in the Table File Standard, or abcde's
// "<[label]>,<@id>:N" (a switch) and "<[label]>,N" (raw bytes after the code: linked).
SideProblem ReadSwitch(std::string_view side, ControlSide& read) {
    if (!side.starts_with('<') && !side.starts_with(',')) {
        const std::size_t comma = side.find(',');
        if (comma == std::string_view::npos || !IsTableId(side.substr(0, comma))) {
            return SideProblem::BadLine;
        }
        read.kind = EntryKind::TableSwitch;
        read.table = side.substr(0, comma);
        const auto count = ReadCount(side.substr(comma + 1));
        if (!count) return SideProblem::BadLine;
        read.count = *count;
        return SideProblem::None;
    }
    if (side.starts_with("<[")) {
        const std::size_t close = side.find("]>");
        if (close == std::string_view::npos) return SideProblem::BadLine;
        read.label = side.substr(2, close - 2);
        side.remove_prefix(close + 2);
    }
    if (!side.starts_with(',')) return SideProblem::BadLine;
    side.remove_prefix(1);
    if (side.starts_with("<@")) {
        const std::size_t close = side.find(">:");
        if (close == std::string_view::npos) return SideProblem::Directive;
        read.kind = EntryKind::TableSwitch;
        read.table = side.substr(2, close - 2);
        if (!IsTableId(read.table)) return SideProblem::BadLine;
        // abcde's other match types ("$hex", "%bin", "+", several tables) are not held here.
        const auto count = ReadCount(side.substr(close + 2));
        if (!count) return SideProblem::Directive;
        read.count = *count;
        return SideProblem::None;
    }
    read.kind = EntryKind::Linked;
    const auto count = ReadCount(side);
    if (!count) return SideProblem::Directive;
    read.count = *count;
    return SideProblem::None;
}

// A switch a table's line gives, checked once every table is known.
struct Switch {
    int line;
    std::string text;
    std::size_t table;  // 0: the first; n: further[n - 1]
    TableCode code;
    std::string target;
    int count = 0;
    bool refused = false;
};

// The loops of switches that read on until a code the next table lacks: the tables that reach one
// another through such switches alone, with the lines of the switches among them.
std::vector<SwitchLoop> FindLoops(const ImportedTable& table, const std::vector<Switch>& switches) {
    const std::size_t count = 1 + table.further.size();
    const auto index = [&](const std::string& id) -> std::size_t {
        if (id == table.id) return 0;
        for (std::size_t t = 0; t < table.further.size(); ++t) {
            if (table.further[t].id == id) return t + 1;
        }
        return count;
    };
    std::vector<std::vector<std::size_t>> next(count);
    for (const Switch& each : switches) {
        const std::size_t to = index(each.target);
        if (!each.refused && each.count == 0 && to < count) next[each.table].push_back(to);
    }
    // Which tables each reaches through one switch or more.
    std::vector<std::vector<bool>> reaches(count, std::vector<bool>(count, false));
    for (std::size_t from = 0; from < count; ++from) {
        std::vector<std::size_t> open = next[from];
        while (!open.empty()) {
            const std::size_t at = open.back();
            open.pop_back();
            if (reaches[from][at]) continue;
            reaches[from][at] = true;
            open.insert(open.end(), next[at].begin(), next[at].end());
        }
    }
    std::vector<SwitchLoop> loops;
    std::vector<bool> told(count, false);
    for (std::size_t first = 0; first < count; ++first) {
        if (told[first] || !reaches[first][first]) continue;
        std::vector<bool> in(count, false);
        SwitchLoop loop;
        for (std::size_t t = first; t < count; ++t) {
            if (!reaches[first][t] || !reaches[t][first]) continue;
            in[t] = told[t] = true;
            loop.tables.push_back(t == 0 ? table.id : table.further[t - 1].id);
        }
        for (const Switch& each : switches) {
            const std::size_t to = index(each.target);
            if (!each.refused && each.count == 0 && to < count && in[each.table] && in[to]) {
                loop.lines.push_back(each.line);
            }
        }
        loops.push_back(std::move(loop));
    }
    return loops;
}

}  // namespace

ImportedTable ImportTable(std::string_view file, std::optional<TableFormat> format) {
    ImportedTable table;
    table.format = format.value_or(DetectTableFormat(file));
    if (table.format != TableFormat::Classic && table.format != TableFormat::ShiftJis &&
        file.starts_with(kBom)) {
        file.remove_prefix(kBom.size());
    }
    std::optional<TextConverter> fromShiftJis;
    if (table.format == TableFormat::ShiftJis) fromShiftJis.emplace("UTF-8", "CP932");
    EucJpDecoder decoder;

    // The line's text as UTF-8: for messages, and as the table holds it.
    const auto utf8 = [&](std::string_view text) -> std::optional<std::string> {
        if (table.format == TableFormat::Classic) {
            auto decoded = decoder.Decode(text);
            return decoded ? std::optional(decoded.value()) : std::nullopt;
        }
        if (fromShiftJis) {
            auto converted = fromShiftJis->Convert(text);
            return converted ? std::optional(converted.value()) : std::nullopt;
        }
        return std::string(text);
    };

    // The codes each table has given, and the switches, checked once every table is known.
    std::vector<std::set<TableCode>> seen(1);
    std::vector<Switch> switches;
    std::set<std::string> ids;
    std::size_t current = 0;
    bool skipping = false;  // the lines of a table whose id came twice
    bool anyEntry = false;
    int number = 0;
    for (const std::string_view line : Lines(file)) {
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const auto problem = [&](ImportProblem::Kind kind) {
            table.problems.push_back({number, kind, utf8(line).value_or(std::string(line))});
        };
        if (line.front() == '@') {
            const std::string id(line.substr(1));
            if (!IsTableId(id)) {
                problem(ImportProblem::Kind::BadTableId);
                skipping = true;
                continue;
            }
            if (!ids.insert(id).second) {
                problem(ImportProblem::Kind::DuplicateTable);
                skipping = true;
                continue;
            }
            skipping = false;
            if (!anyEntry && table.further.empty() && table.id.empty()) {
                table.id = id;
                continue;
            }
            table.further.push_back({id, {}});
            seen.emplace_back();
            current = table.further.size();
            continue;
        }
        if (skipping) continue;
        const char prefix = line.front();
        const bool endCode = prefix == '/';
        const bool marked = endCode || prefix == '$' || prefix == '!';
        std::string_view rest = marked ? line.substr(1) : line;
        if (std::string_view("*(").find(prefix) != std::string_view::npos) {
            problem(ImportProblem::Kind::Directive);
            continue;
        }
        std::size_t digits = 0;
        while (digits < rest.size() && IsHex(rest[digits])) ++digits;
        if (digits == 0 || digits % 2 != 0 || digits >= rest.size() || rest[digits] != '=') {
            problem(ImportProblem::Kind::BadLine);
            continue;
        }
        if (digits > 4) {
            problem(ImportProblem::Kind::AboveFFFF);
            continue;
        }
        const TableCode code = *ReadTableCode(rest.substr(0, digits));
        std::string_view text = rest.substr(digits + 1);
        TableEntry entry;
        if (prefix == '$' || prefix == '!') {
            ControlSide side;
            const SideProblem read = prefix == '$' ? ReadLinked(text, side) : ReadSwitch(text, side);
            if (read == SideProblem::BadLine) {
                problem(ImportProblem::Kind::BadLine);
                continue;
            }
            if (read == SideProblem::Directive) {
                problem(ImportProblem::Kind::Directive);
                continue;
            }
            const bool linked = side.kind == EntryKind::Linked;
            if (linked ? side.count < 1 || side.count > kMaxParameters
                       : side.count < 0 || side.count > kMaxSwitchCount) {
                problem(ImportProblem::Kind::BadCount);
                continue;
            }
            entry.kind = side.kind;
            (linked ? entry.parameters : entry.count) = static_cast<int>(side.count);
            entry.table = std::string(side.table);
            text = side.label;
        } else if (endCode) {
            if (text.size() < 2 || text.front() != '[' || text.back() != ']') {
                problem(ImportProblem::Kind::BadLine);
                continue;
            }
            text = text.substr(1, text.size() - 2);
            entry.kind = EntryKind::EndCode;
        } else if (text.ends_with("\\n") && table.format != TableFormat::Classic) {
            // A line break, bare ("FE=\n") or with its visible label ("FE=[line]\n").
            entry.kind = EntryKind::LineBreak;
            text.remove_suffix(2);
        }
        auto held = utf8(text);
        if (!held) {
            problem(ImportProblem::Kind::Unconvertible);
            continue;
        }
        if (!seen[current].insert(code).second) {
            problem(ImportProblem::Kind::DuplicateCode);
            continue;
        }
        entry.text = std::move(*held);
        if (entry.kind == EntryKind::TableSwitch) {
            switches.push_back({number, utf8(line).value_or(std::string(line)), current, code,
                                entry.table, entry.count});
        }
        anyEntry = true;
        if (current == 0) {
            table.entries.emplace_back(code, std::move(entry));
        } else {
            table.further[current - 1].entries.Put(code, std::move(entry));
        }
    }

    // A switch reads on through a table the file holds, and never through its own: switching
    // to itself, a reader would never get back.
    for (Switch& each : switches) {
        const std::string& own = each.table == 0 ? table.id : table.further[each.table - 1].id;
        ImportProblem::Kind kind = ImportProblem::Kind::BadLine;
        if (each.target == own) {
            kind = ImportProblem::Kind::OwnTable;
        } else if (!ids.contains(each.target)) {
            kind = ImportProblem::Kind::UnknownTable;
        } else {
            continue;
        }
        table.problems.push_back({each.line, kind, each.text});
        each.refused = true;
        if (each.table == 0) {
            std::erase_if(table.entries, [&each](const auto& held) { return held.first == each.code; });
        } else {
            table.further[each.table - 1].entries.Put(each.code, {});
        }
    }
    table.loops = FindLoops(table, switches);
    std::stable_sort(table.problems.begin(), table.problems.end(),
                     [](const ImportProblem& a, const ImportProblem& b) { return a.line < b.line; });
    return table;
}

}  // namespace glyphwright
