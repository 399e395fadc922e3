#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class TableCode;

// What is said about the entries of the table and the kinds of entry.
class TableEntryMessages final {
    Q_DECLARE_TR_FUNCTIONS(TableEntryMessages)

public:
    TableEntryMessages() = delete;

    // An entry's text, or a character of it, as a message names it: in quotes ("あ"); bytes that
    // are no UTF-8 text as bytes in hex (the bytes FF 80), not quoted as if they were characters.
    [[nodiscard]] static QString Quoted(std::string_view text);
    // The same without the quotes, where the text stands alone ("あ at 10 and 8140").
    [[nodiscard]] static QString Shown(std::string_view text);
    // Codes in a list, the first few by name: "10, 11 and 3 more".
    [[nodiscard]] static QString CodeList(const std::vector<TableCode>& codes);
    // A classic file asked of entries EUC-JP has no code for; `first` is the first such text,
    // as Quoted gives it.
    [[nodiscard]] static QString NotEucJp(const std::vector<TableCode>& codes,
                                          const QString& first);
    // A classic file asked of linked entries and table switches at `codes`, and of the
    // further tables `tables`.
    [[nodiscard]] static QString NotClassic(const std::vector<TableCode>& codes,
                                            const std::vector<std::string>& tables);
    // An abcde file asked of line breaks with no label.
    [[nodiscard]] static QString UnlabelledLineBreaks(const std::vector<TableCode>& codes);
    // A table switch at `code` to a table of that id that the table file would not hold.
    [[nodiscard]] static QString UnknownTable(const QString& code, const QString& id);
};

}  // namespace glyphwright
