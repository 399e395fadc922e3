#include "PutSingleEntry.h"

#include "ControlCodeMessages.h"
#include "DocumentHistory.h"
#include "ProgramMessages.h"
#include "TableOrderMessages.h"
#include "WindowQueries.h"
#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

bool Refuse(WindowQueries& user, const QString& text) {
    user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                     MessageIcon::Exclamation);
    return false;
}

}  // namespace

bool PutSingleEntries(DocumentHistory& history, WindowQueries& user,
                      const std::vector<std::pair<TableCode, QString>>& entries,
                      const QString& name) {
    std::vector<std::string> bytes;
    bytes.reserve(entries.size());
    for (const auto& [code, characters] : entries) {
        auto encoded = EncodeEucJp(characters.toStdString());
        if (!encoded.ok()) {
            return Refuse(user, TableOrderMessages::NotEucJp(
                                    QString::fromStdString(encoded.error().character)));
        }
        bytes.push_back(std::move(encoded).value());
    }
    if (history.Doc().Order().LineCount() + static_cast<int>(entries.size()) > kMaxOrderLines) {
        return Refuse(user, TableOrderMessages::OrderFull());
    }
    history.Stack().beginMacro(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [code, characters] = entries[i];
        history.Run(DocumentCommand::PutEntry(history.Doc(), code, {std::move(bytes[i])},
                                              characters.toStdString()),
                    TableOrderMessages::SingleEntryAction(code));
    }
    history.Stack().endMacro();
    return true;
}

bool PutSingleEntry(DocumentHistory& history, WindowQueries& user, TableCode code,
                    const QString& characters, EntryKind kind) {
    const auto refuse = [&user](const QString& text) {
        user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                         MessageIcon::Exclamation);
        return false;
    };
    const auto bytes = EncodeEucJp(characters.toStdString());
    if (!bytes.ok())
        return refuse(
            TableOrderMessages::NotEucJp(QString::fromStdString(bytes.error().character)));
    if (history.Doc().Order().IsFull()) return refuse(TableOrderMessages::OrderFull());

    history.Run(DocumentCommand::PutEntry(history.Doc(), code, {bytes.value(), kind},
                                          characters.toStdString()),
                kind == EntryKind::Ordinary ? TableOrderMessages::SingleEntryAction(code)
                                            : ControlCodeMessages::ControlCodeAction(code));
    return true;
}

}  // namespace glyphwright
