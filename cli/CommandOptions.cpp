#include "CommandOptions.h"

#include <map>

#include "CommandLineMessages.h"

namespace glyphwright {

QString Typed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

CommandOptions::CommandOptions(const std::vector<QStringList>& options) {
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const QStringList& names : options) {
        options_.emplace_back(names, QString(), QStringLiteral("value"));
    }
    for (const QCommandLineOption& option : options_) (void)parser_.addOption(option);
}

const QCommandLineOption* CommandOptions::Find(const QString& name) const {
    for (const QCommandLineOption& option : options_) {
        if (option.names().contains(name)) return &option;
    }
    return nullptr;
}

QString CommandOptions::FirstProblem(const QStringList& arguments) const {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) break;
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() == 1) continue;
        const bool isLong = argument.startsWith(QLatin1String("--"));
        const QString name = isLong ? argument.mid(2).section(QLatin1Char('='), 0, 0)
                                    : argument.mid(1, 1);
        if (Find(name) == nullptr) {
            // "-hx" is no -h with a value: the whole of it is what was not understood.
            return CommandLineMessages::UnknownOption(isLong ? Typed(name) : argument);
        }
        const bool valueAttached = isLong ? argument.contains(QLatin1Char('=')) : argument.size() > 2;
        if (!valueAttached) {
            if (i + 1 >= arguments.size()) return CommandLineMessages::MissingValue(Typed(name));
            ++i;
        }
    }
    return parser_.errorText();  // not reached for the options this class makes
}

std::optional<QString> CommandOptions::Read(const QStringList& arguments,
                                            const QStringList& repeatable) {
    // The parser skips the first argument as the program's name.
    if (!parser_.parse(QStringList{QStringLiteral("glyphwright")} + arguments)) {
        return FirstProblem(arguments);
    }
    std::map<const QCommandLineOption*, int> seen;
    for (const QString& name : parser_.optionNames()) {
        const QCommandLineOption* option = Find(name);
        if (option == nullptr || repeatable.contains(option->names().front())) continue;
        if (++seen[option] > 1) return CommandLineMessages::RepeatedOption(Typed(name));
    }
    return std::nullopt;
}

std::optional<QString> CommandOptions::Value(const QString& name) const {
    const QCommandLineOption* option = Find(name);
    if (option == nullptr || !parser_.isSet(*option)) return std::nullopt;
    return parser_.value(*option);
}

std::vector<std::pair<QString, QString>> CommandOptions::InOrder(const QStringList& names) const {
    std::vector<std::pair<QString, QString>> given;
    std::map<const QCommandLineOption*, qsizetype> taken;
    for (const QString& name : parser_.optionNames()) {
        const QCommandLineOption* option = Find(name);
        if (option == nullptr || !names.contains(option->names().front())) continue;
        const QStringList values = parser_.values(*option);
        const qsizetype index = taken[option]++;
        if (index < values.size()) given.emplace_back(option->names().front(), values[index]);
    }
    return given;
}

QStringList CommandOptions::Others() const {
    return parser_.positionalArguments();
}

}  // namespace glyphwright
