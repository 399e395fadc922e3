#include "ScriptEntries.h"

#include <map>

namespace glyphwright {

Result<std::vector<ScriptEntry>, ImportedTable> ReadScriptEntries(
    std::string_view file, std::optional<TableFormat> format) {
    auto tables = ReadScriptTables(file, format);
    if (!tables) return std::move(tables).error();
    return std::move(tables).value().entries;
}

Result<ScriptTables, ImportedTable> ReadScriptTables(std::string_view file,
                                                     std::optional<TableFormat> format) {
    ImportedTable imported = ImportTable(file, format);
    if (!imported.problems.empty()) return imported;
    // Per table, the entries the import took, by code: the first, then the further ones.
    std::vector<std::map<TableCode, const TableEntry*>> taken(1 + imported.further.size());
    for (const auto& [code, entry] : imported.entries) taken[0].emplace(code, &entry);
    ScriptTables tables{imported.id, {}, {}};
    for (std::size_t t = 0; t < imported.further.size(); ++t) {
        const TableEntries& entries = imported.further[t].entries;
        for (int byte = 0; byte < kCodeCount; ++byte) {
            const auto code = TableCode::OneByte(static_cast<ByteCode>(byte));
            if (entries.At(code).Holds()) taken[t + 1].emplace(code, &entries.At(code));
        }
        for (const auto& [stored, entry] : entries.TwoByte()) {
            taken[t + 1].emplace(TableCode::TwoByte(stored), &entry);
        }
        tables.further.push_back({imported.further[t].id, {}});
    }
    // The import has read every line; here only the text right of '=' is kept as it stands.
    if (file.starts_with("\xEF\xBB\xBF")) file.remove_prefix(3);
    std::size_t current = 0;  // 0: the first table; n: further[n - 1]
    bool anyEntry = false;
    while (!file.empty()) {
        // Any of LF, CR LF, CR CR LF and a lone CR ends a line, as the import reads them; the
        // empty lines between are skipped.
        const std::size_t end = file.find_first_of("\r\n");
        std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (line.starts_with('@')) {
            // The first table's own id, or the next table: the import took each id once, in
            // file order.
            if (anyEntry || line.substr(1) != imported.id) {
                for (std::size_t t = 0; t < imported.further.size(); ++t) {
                    if (imported.further[t].id == line.substr(1)) current = t + 1;
                }
            }
            continue;
        }
        // An end code's '/', a linked entry's '$', a switch's '!'.
        if (line.starts_with('/') || line.starts_with('$') || line.starts_with('!')) {
            line.remove_prefix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const auto code = ReadTableCode(line.substr(0, equals));
        if (!code) continue;
        const auto kind = taken[current].find(*code);
        if (kind == taken[current].end()) continue;
        anyEntry = true;
        const TableEntry& entry = *kind->second;
        std::string_view text = line.substr(equals + 1);
        switch (entry.kind) {
            case EntryKind::Linked:
                // The label, without the count of parameter bytes after it.
                text = text.substr(0, text.rfind(','));
                break;
            case EntryKind::TableSwitch:
                // An inserter reads no switch: the dump writes its bytes raw.
                text = {};
                break;
            default:
                break;
        }
        std::vector<ScriptEntry>& into =
            current == 0 ? tables.entries : tables.further[current - 1].entries;
        into.push_back(
            {*code, entry.kind, std::string(text), entry.parameters, entry.table, entry.count});
        taken[current].erase(kind);
    }
    return tables;
}

std::string InserterTableFile(const std::vector<ScriptEntry>& entries) {
    std::string file;
    for (const ScriptEntry& entry : entries) {
        // The dump writes switches and linked entries raw, and Atlas refuses a line with
        // nothing after its '='.
        if (entry.kind == EntryKind::TableSwitch || entry.kind == EntryKind::Linked) continue;
        file += (entry.kind == EntryKind::EndCode ? "/" : "") + entry.code.Hex() + '=' +
                entry.text + '\n';
    }
    return file;
}

}  // namespace glyphwright
