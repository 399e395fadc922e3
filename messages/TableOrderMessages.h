#pragma once

#include <QCoreApplication>
#include <QString>

#include <string_view>

namespace glyphwright {
class TableCode;
enum class HexError;

// The Table Order and the entry dialogs: codes typed, lines chosen, and the names of their
// undo steps.
class TableOrderMessages final {
    Q_DECLARE_TR_FUNCTIONS(TableOrderMessages)

public:
    TableOrderMessages() = delete;

    [[nodiscard]] static QString OrderFull();
    [[nodiscard]] static QString BadCode(std::string_view typed, HexError error);
    // A code typed where one of one byte or two may stand (a line's start, a single entry's code):
    // "80" one byte, "0080" two.
    [[nodiscard]] static QString BadTableCode(std::string_view typed, HexError error);
    [[nodiscard]] static QString NoLineSelected();
    [[nodiscard]] static QString NotEucJp(const QString& character);
    // A relative start of more than four hex digits.
    [[nodiscard]] static QString StartAboveFFFF(std::string_view typed);
    // A relative start that is no code of one byte or two; "" when the box was left empty.
    [[nodiscard]] static QString BadStart(std::string_view typed);
    [[nodiscard]] static QString IncludeAction(const QString& lineText);
    [[nodiscard]] static QString RemoveAction(const QString& lineText);
    [[nodiscard]] static QString RelativeStartAction(const QString& lineText);
    [[nodiscard]] static QString SingleEntryAction(int code);
    [[nodiscard]] static QString SingleEntryAction(TableCode code);
};

}  // namespace glyphwright
