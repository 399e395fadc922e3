#include "PutSingleEntry.h"

#include <string>

#include "ControlCodeMessages.h"
#include "DocumentHistory.h"
#include "ProgramMessages.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/table/Result.h"

namespace glyphwright {

namespace {

bool Refuse(WindowQueries& user, const QString& text) {
    user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                     MessageIcon::Exclamation);
    return false;
}

// The text an entry of `characters` is stored as. The table holds any Unicode text; only the
// classic file needs EUC-JP, and its writer refuses what that lacks.
Result<std::string, QString> StoredBytes(const QString& characters) {
    return characters.toStdString();
}

}  // namespace

std::optional<SingleEntriesPut> PutSingleEntries(
    DocumentHistory& history, WindowQueries& user,
    const std::vector<std::pair<TableCode, QString>>& entries,
    const std::function<QString(int stored)>& name) {
    SingleEntriesPut put;
    std::vector<std::pair<std::size_t, std::string>> stored;  // by index into `entries`
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [code, characters] = entries[i];
        auto bytes = StoredBytes(characters);
        if (!bytes.ok()) {
            put.leftOut.push_back({code, characters, bytes.error()});
            continue;
        }
        stored.emplace_back(i, std::move(bytes).value());
    }
    if (history.Doc().Order().LineCount() + static_cast<int>(stored.size()) > kMaxOrderLines) {
        Refuse(user, TableOrderMessages::OrderFull());
        return std::nullopt;
    }
    put.stored = static_cast<int>(stored.size());
    if (stored.empty()) return put;
    history.Stack().beginMacro(name(put.stored));
    for (auto& [index, bytes] : stored) {
        const auto& [code, characters] = entries[index];
        history.Run(DocumentCommand::PutEntry(history.Doc(), code, {std::move(bytes)},
                                              characters.toStdString()),
                    TableOrderMessages::SingleEntryAction(code));
    }
    history.Stack().endMacro();
    return put;
}

bool PutControlCode(DocumentHistory& history, WindowQueries& user, TableCode code,
                    TableEntry entry) {
    if (history.Doc().Order().IsFull()) return Refuse(user, TableOrderMessages::OrderFull());
    std::string line = entry.text;
    if (line.empty() && entry.kind == EntryKind::TableSwitch) line = "@" + entry.table;
    history.Run(DocumentCommand::PutEntry(history.Doc(), code, std::move(entry), line),
                ControlCodeMessages::ControlCodeAction(code));
    return true;
}

bool PutSingleEntry(DocumentHistory& history, WindowQueries& user, TableCode code,
                    const QString& characters, EntryKind kind) {
    const auto refuse = [&user](const QString& text) {
        user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                         MessageIcon::Exclamation);
        return false;
    };
    const auto bytes = StoredBytes(characters);
    if (!bytes.ok()) return refuse(bytes.error());
    if (history.Doc().Order().IsFull()) return refuse(TableOrderMessages::OrderFull());

    history.Run(DocumentCommand::PutEntry(history.Doc(), code, {bytes.value(), kind},
                                          characters.toStdString()),
                kind == EntryKind::Ordinary ? TableOrderMessages::SingleEntryAction(code)
                                            : ControlCodeMessages::ControlCodeAction(code));
    return true;
}

}  // namespace glyphwright
