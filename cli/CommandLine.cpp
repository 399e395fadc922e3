#include "CommandLine.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <iterator>

#include "CommandLineMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "DumpCommand.h"
#include "DictionaryMessages.h"
#include "DumpMessages.h"
#include "FindFontCommand.h"
#include "FindFontMessages.h"
#include "CoverageCommand.h"
#include "FindDictionaryCommand.h"
#include "GlyphSheet.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

// Every command, in the order the general help lists them. A new command is a file of its own
// and one line here.
constexpr std::array kCommands = {
    Command{"make", &Words::MakeHelp, &RunMake},
    Command{"sets", &Words::SetsHelp, &RunSets},
    Command{"search", &Words::SearchHelp, &RunSearch},
    Command{"glyphs",
            [] {
                return Words::GlyphsHelp(GlyphSheet::kMaxGlyphs, GlyphSheet::kMaxZoom,
                                         static_cast<int>(GlyphSheet::kMaxSide));
            },
            &RunGlyphs},
    Command{"font-table", [] { return Words::FontTableHelp(GlyphSheet::kMaxGlyphs); },
            &RunFontTable},
    Command{"find-font", [] { return FindFontMessages::Help(kMostFindFontCandidates); },
            &RunFindFont},
    Command{"dump", &DumpMessages::Help, &RunDump},
    Command{"coverage", &DictionaryMessages::CoverageHelp, &RunCoverage},
    Command{"find-dictionary", &DictionaryMessages::FindDictionaryHelp, &RunFindDictionary},
};

enum class Asked { Nothing, Help, Version };

// --help or --version anywhere before "--" wins over everything else on the line, so that a
// half-written command can still ask for help.
Asked AskedFor(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return Asked::Help;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            return Asked::Version;
        }
    }
    return Asked::Nothing;
}

}  // namespace

int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.isEmpty()) return BadUsage(err, {}, Words::NoCommand());
    const QString& name = arguments.front();
    const auto command = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) {
        return name == QLatin1String(c.name);
    });
    if (command != kCommands.end()) {
        const QStringList rest = arguments.mid(1);
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err, command->help());
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        return command->run(rest, out, err);
    }
    switch (AskedFor({name})) {
        case Asked::Help:
            return Show(out, err, Words::Help());
        case Asked::Version:
            return ShowVersion(out, err);
        case Asked::Nothing:
            break;
    }
    if (name.startsWith(QLatin1Char('-'))) return BadUsage(err, {}, Words::UnknownOption(name));
    return BadUsage(err, {}, Words::UnknownCommand(name));
}

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        if (!bytes.isValidUtf8()) {
            return BadUsage(err, {}, Words::NotUtf8(QString::fromUtf8(bytes)));
        }
        arguments << QString::fromUtf8(bytes);
    }
    return RunCommandLine(arguments, out, err);
}

}  // namespace glyphwright
