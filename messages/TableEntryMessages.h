#pragma once

#include <QCoreApplication>
#include <QString>
#include <vector>

namespace glyphwright {

class TableCode;

// What is said about the entries of the table and the kinds of entry.
class TableEntryMessages final {
    Q_DECLARE_TR_FUNCTIONS(TableEntryMessages)

public:
    TableEntryMessages() = delete;

    // Codes in a list, the first few by name: "10, 11 and 3 more".
    [[nodiscard]] static QString CodeList(const std::vector<TableCode>& codes);
    // A classic file asked of entries EUC-JP has no code for; `first` is the first such text.
    [[nodiscard]] static QString NotEucJp(const std::vector<TableCode>& codes,
                                          const QString& first);
};

}  // namespace glyphwright
