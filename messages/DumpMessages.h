#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <utility>
#include <vector>

#include "core/script/PointerBlocks.h"
#include "core/script/ScriptDump.h"
#include "core/table/TableCode.h"

namespace glyphwright {

// What the dump says: its help, its complaints and what it found in the game.
class DumpMessages final {
    Q_DECLARE_TR_FUNCTIONS(DumpMessages)

public:
    DumpMessages() = delete;

    [[nodiscard]] static QString Help();
    [[nodiscard]] static QString MissingTable();
    [[nodiscard]] static QString NothingToDump();
    [[nodiscard]] static QString UnknownInserter(const QString& inserter);
    [[nodiscard]] static QString BadPointers(const QString& plan, PointerBlockError error);
    [[nodiscard]] static QString BadRange(const QString& range, PointerBlockError error);
    // A pointer, or the range, and what is wrong with the place it leads to.
    [[nodiscard]] static QString Problem(const DumpProblem& problem);
    // "…and 12 more." after the problems told one by one.
    [[nodiscard]] static QString MoreProblems(std::size_t more);
    [[nodiscard]] static QString Written(const QString& script, std::size_t strings,
                                         std::size_t pointers);
    [[nodiscard]] static QString WrittenWithProblems(const QString& script, std::size_t problems);
    // The codes read without an entry, most frequent first, with their counts.
    [[nodiscard]] static QString Unread(const std::vector<std::pair<TableCode, std::size_t>>& codes);
};

}  // namespace glyphwright
