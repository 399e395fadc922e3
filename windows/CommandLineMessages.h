#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {

// What the command line says: its help and its usage complaints. Table problems are told in
// Messages' words, the same as in the windows.
class CommandLineMessages final {
    Q_DECLARE_TR_FUNCTIONS(CommandLineMessages)

public:
    CommandLineMessages() = delete;

    [[nodiscard]] static QString Help();
    [[nodiscard]] static QString MakeHelp();
    [[nodiscard]] static QString SetsHelp();
    // Where to read more after a usage complaint: `command`'s help, or the general one for "".
    [[nodiscard]] static QString TryHelp(const QString& command);

    [[nodiscard]] static QString NoCommand();
    [[nodiscard]] static QString UnknownCommand(const QString& command);
    [[nodiscard]] static QString UnknownOption(const QString& option);
    [[nodiscard]] static QString MissingValue(const QString& option);
    [[nodiscard]] static QString RepeatedOption(const QString& option);
    [[nodiscard]] static QString UnknownFormat(const QString& format);
    [[nodiscard]] static QString MissingStart();
    [[nodiscard]] static QString ImportUnreadable(const QString& path, const QString& reason);
    [[nodiscard]] static QString MissingOutput();
    // `setNames`: the built-in sets, listed for the reader to compare against.
    [[nodiscard]] static QString UnknownLine(const QString& line, const QString& setNames);
    [[nodiscard]] static QString NoArgumentsTaken(const QString& command, const QString& argument);
    [[nodiscard]] static QString StandardOutputFailed(const QString& reason);
};

}  // namespace glyphwright
