#include "ImportTable.h"

#include <set>

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

ImportedTable ImportTable(std::string_view file, std::optional<TableFormat> format) {
    ImportedTable table;
    table.format = format.value_or(DetectTableFormat(file));
    if (table.format == TableFormat::Utf8 && file.starts_with(kBom))
        file.remove_prefix(kBom.size());
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

    std::set<TableCode> seen;
    int number = 0;
    for (const std::string_view line : Lines(file)) {
        ++number;
        if (line.empty()) continue;
        const auto problem = [&](ImportProblem::Kind kind) {
            table.problems.push_back({number, kind, utf8(line).value_or(std::string(line))});
        };
        const bool endCode = line.front() == '/';
        std::string_view rest = endCode ? line.substr(1) : line;
        if (!endCode && std::string_view("@*$(").find(line.front()) != std::string_view::npos) {
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
        if (endCode) {
            if (text.size() < 2 || text.front() != '[' || text.back() != ']') {
                problem(ImportProblem::Kind::BadLine);
                continue;
            }
            text = text.substr(1, text.size() - 2);
            entry.kind = EntryKind::EndCode;
        } else if (text == "\\n" && table.format != TableFormat::Classic) {
            entry.kind = EntryKind::LineBreak;
            text = {};
        }
        auto held = utf8(text);
        if (!held) {
            problem(ImportProblem::Kind::Unconvertible);
            continue;
        }
        if (!seen.insert(code).second) {
            problem(ImportProblem::Kind::DuplicateCode);
            continue;
        }
        entry.text = std::move(*held);
        table.entries.emplace_back(code, std::move(entry));
    }
    return table;
}

}  // namespace glyphwright
