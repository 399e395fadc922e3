#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <string_view>

#include "MakeTable.h"
#include "core/ParseHexByte.h"

namespace glyphwright {

// Every sentence the program says to the user, in one place and translatable. The core and the
// table command report failures as values; these are their words.
class Messages final {
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    Messages() = delete;

    [[nodiscard]] static QString Title();  // of every message box

    // MAKE TABLE
    [[nodiscard]] static QString StartCodePrompt();
    [[nodiscard]] static QString StartCodeTitle();
    // The Save dialog's file types, in the order of TableFormat: the classic one first.
    [[nodiscard]] static QStringList TableFileFilters();
    [[nodiscard]] static QString Failure(const TableFailure& failure);
    [[nodiscard]] static QString Failure(const StartCodeError& failure);
    [[nodiscard]] static QString Failure(const AssemblyError& failure);
    [[nodiscard]] static QString Failure(const FormatError& failure);
    [[nodiscard]] static QString Failure(const FileError& failure);

    // The entry dialogs
    [[nodiscard]] static QString OrderFull();
    [[nodiscard]] static QString BadCode(std::string_view typed, HexError error);
    [[nodiscard]] static QString NoLineSelected();
    [[nodiscard]] static QString NotEucJp(const QString& character);

    // Any action that failed unexpectedly
    [[nodiscard]] static QString ActionFailed(const char* reason);
    [[nodiscard]] static QString ActionFailedUnknown();

    // The exit sequence and the Help menu
    [[nodiscard]] static QString ExitQuestion();
    [[nodiscard]] static QString ExitTitle();
    [[nodiscard]] static QString FarewellTitle();
    [[nodiscard]] static QString FarewellText();
    [[nodiscard]] static QString AboutTitle();
    [[nodiscard]] static QString AboutText(const QString& version);
};

}  // namespace glyphwright
