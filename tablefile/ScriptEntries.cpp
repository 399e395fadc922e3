#include "ScriptEntries.h"

#include <map>

namespace glyphwright {

Result<std::vector<ScriptEntry>, ImportedTable> ReadScriptEntries(
    std::string_view file, std::optional<TableFormat> format) {
    ImportedTable imported = ImportTable(file, format);
    if (!imported.problems.empty()) return imported;
    std::map<TableCode, const TableEntry*> taken;
    for (const auto& [code, entry] : imported.entries) taken.emplace(code, &entry);
    // The import has read every line; here only the text right of '=' is kept as it stands.
    if (file.starts_with("\xEF\xBB\xBF")) file.remove_prefix(3);
    std::vector<ScriptEntry> entries;
    while (!file.empty()) {
        // Any of LF, CR LF, CR CR LF and a lone CR ends a line, as the import reads them; the
        // empty lines between are skipped.
        const std::size_t end = file.find_first_of("\r\n");
        std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        // An end code's '/', a linked entry's '$', a switch's '!'.
        if (line.starts_with('/') || line.starts_with('$') || line.starts_with('!')) {
            line.remove_prefix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const auto code = ReadTableCode(line.substr(0, equals));
        if (!code) continue;
        const auto kind = taken.find(*code);
        if (kind == taken.end()) continue;
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
        entries.push_back({*code, entry.kind, std::string(text), entry.parameters, entry.table,
                           entry.count});
        taken.erase(kind);
    }
    return entries;
}

}  // namespace glyphwright
