#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace glyphwright {

// One command's options, read by QCommandLineParser: "--start 10", "--start=10", "-s 10" and
// "-s10" alike; "-" alone and everything after "--" are the command's other arguments. Every
// option takes a value (help and version are found before a command's options are read).
class CommandOptions final {
public:
    // Each option by its names, the long one first: {"start", "s"}.
    explicit CommandOptions(const std::vector<QStringList>& options);

    // Reads `arguments`; the first problem in the order given, worded for the user, if any. An
    // option given twice is a problem unless it is one of `repeatable`.
    [[nodiscard]] std::optional<QString> Read(const QStringList& arguments,
                                              const QStringList& repeatable = {});

    // The value of the option named `name` (its long name), if it was given.
    [[nodiscard]] std::optional<QString> Value(const QString& name) const;

    // The options among `names` in the order they were given, each with its value: for options
    // whose meaning depends on the order ("--import-format classic --import a.tbl").
    [[nodiscard]] std::vector<std::pair<QString, QString>> InOrder(const QStringList& names) const;

    // Everything that is not an option.
    [[nodiscard]] QStringList Others() const;

private:
    // The option `name` (any of its names) stands for, or nullptr.
    [[nodiscard]] const QCommandLineOption* Find(const QString& name) const;
    // The first problem in `arguments`, which the parser refused, in the program's own words.
    [[nodiscard]] QString FirstProblem(const QStringList& arguments) const;

    QCommandLineParser parser_;
    std::vector<QCommandLineOption> options_;
};

// An option's name as the user typed it: "--start", "-s".
[[nodiscard]] QString Typed(const QString& name);

}  // namespace glyphwright
