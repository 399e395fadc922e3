// glyphwright font-table: a first table read from the font's own glyphs, each code given the
// character a reference font draws most alike.

#include <QFile>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "CommandLineNotices.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "UserSets.h"
#include "Commands.h"
#include "GlyphSheet.h"
#include "GlyphSource.h"
#include "HexText.h"
#include "MakeTable.h"
#include "GameFileMessages.h"
#include "MakeTableMessages.h"
#include "OutputFiles.h"
#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/game/GameFile.h"
#include "core/glyphs/Repertoire.h"
#include "core/glyphs/ScriptContext.h"
#include "core/script/PointerBlocks.h"
#include "core/glyphs/SuggestionReport.h"
#include "core/table/ParseHexByte.h"
#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

constexpr std::array kAllRepertoires = {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth,
                                        Repertoire::Level1Kanji, Repertoire::Level2Kanji};
// Level-2 kanji are rare in games and would double the candidates; the user adds them.
constexpr std::array kDefaultRepertoires = {Repertoire::Kana, Repertoire::Ascii,
                                            Repertoire::FullWidth, Repertoire::Level1Kanji};

std::optional<std::vector<Repertoire>> ReadRepertoires(const QString& text) {
    std::vector<Repertoire> chosen;
    for (const QString& name : text.split(QLatin1Char(','))) {
        const auto known =
            std::find_if(kAllRepertoires.begin(), kAllRepertoires.end(),
                         [&](Repertoire r) { return name.toStdString() == RepertoireName(r); });
        if (known == kAllRepertoires.end()) return std::nullopt;
        chosen.push_back(*known);
    }
    return chosen;
}

QString RepertoireNames() {
    QStringList names;
    for (const Repertoire r : kAllRepertoires) {
        names << QString::fromLatin1(RepertoireName(r).data(),
                                     static_cast<qsizetype>(RepertoireName(r).size()));
    }
    return names.join(QLatin1Char(','));
}

// The table of the best guesses for codes first..first + inTable - 1. Each guess goes in as a
// typed entry would: as EUC-JP, and only if the chosen format can write it. One that cannot be
// stored is left out, and the user told on `err`; the rest still make a table worth checking.
Workspace BestGuessTable(const std::vector<GlyphSuggestion>& readings, int first, int inTable,
                         TableFormat format, std::FILE* err) {
    Workspace workspace;
    workspace.CurrentCode = static_cast<ByteCode>(first);
    workspace.LastCode = static_cast<ByteCode>(first + inTable - 1);
    for (int i = 0; i < inTable; ++i) {
        const GlyphSuggestion& reading = readings[static_cast<std::size_t>(i)];
        if (reading.ranked.empty()) continue;  // no ink: nothing to guess
        const auto code = static_cast<ByteCode>(first + i);
        const std::string guess = Utf8Of(reading.Best());
        const QString shown = QString::fromStdString(guess);
        workspace.TableText.Put(code, {guess, EntryKind::Ordinary});
        if (const auto written = FormatTable(workspace.TableText, code, code, format); !written) {
            workspace.TableText.Put(code, {});
            Say(err, written.error().kind == FormatError::Kind::NotEucJp
                         ? Words::GuessNotEucJp(HexNumber(code), shown)
                         : Words::GuessNotInFormat(HexNumber(code), shown,
                                                   QString::fromStdString(FormatName(format))));
        }
    }
    return workspace;
}

// The bytes of the game's text, START up to END (or the end of the file). Fails with the message
// and whether it is the user's range that is wrong.
Result<std::vector<std::uint8_t>, std::pair<QString, bool>> ReadText(const QString& game,
                                                                      const ByteRange& range,
                                                                      const QString& typed) {
    const auto opened = GameFile::Open(QFile::encodeName(game).toStdString());
    if (!opened) return std::pair{GameFileMessages::Failure(opened.error()), false};
    const GameFile& file = opened.value();
    if (range.start >= file.Size()) {
        return std::pair{Words::TextPastEnd(typed, file.Size()), true};
    }
    const std::uint64_t end = std::min(range.end, file.Size());
    auto bytes = file.ReadWindow(range.start, static_cast<std::size_t>(end - range.start));
    if (!bytes) return std::pair{GameFileMessages::Failure(bytes.error()), false};
    return std::move(bytes).value();
}

}  // namespace

int RunFontTable(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("font-table");
    std::vector<QStringList> names = GlyphOptionNames();
    for (const char* name : {"first-code", "repertoire", "font", "output", "format", "report", "text"}) {
        names.push_back({QString::fromLatin1(name)});
    }
    CommandOptions options(names);
    if (const auto problem = options.Read(arguments)) return BadUsage(err, command, *problem);
    if (const QStringList others = options.Others(); !others.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, others.front()));
    }
    if (const auto missing = MissingOption(options, {"--game game.bin", "--offset 3C000",
                                                     "--tiles 1bpp", "--glyph 8x8",
                                                     "--first-code 10", "--output font.tbl"})) {
        return BadUsage(err, command, *missing);
    }
    const auto source = ReadGlyphSource(options);
    if (!source) return BadUsage(err, command, source.error());
    const GlyphSource& glyphSource = source.value();
    const QString firstText = *options.Value(QStringLiteral("first-code"));
    const auto firstCode = ReadHexByte(firstText.toStdString());
    if (!firstCode) return BadUsage(err, command, Words::BadFirstCode(firstText));
    const int first = firstCode.value();
    std::vector<Repertoire> repertoires(kDefaultRepertoires.begin(), kDefaultRepertoires.end());
    if (const auto asked = options.Value(QStringLiteral("repertoire"))) {
        const auto chosen = ReadRepertoires(*asked);
        if (!chosen) {
            return BadUsage(err, command, Words::UnknownRepertoire(*asked, RepertoireNames()));
        }
        repertoires = *chosen;
    }
    TableFormat format = TableFormat::Classic;
    if (const auto asked = options.Value(QStringLiteral("format"))) {
        const auto chosen = FormatNamed(asked->toStdString());
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*asked));
        format = *chosen;
    }
    std::optional<ByteRange> textRange;
    const std::optional<QString> textOption = options.Value(QStringLiteral("text"));
    if (textOption) {
        const auto range = ReadByteRange(textOption->toStdString());
        if (!range) return BadUsage(err, command, Words::BadTextRange(*textOption));
        textRange = range.value();
    }
    const QString output = *options.Value(QStringLiteral("output"));
    const std::optional<QString> report = options.Value(QStringLiteral("report"));
    const std::optional<QString> font = options.Value(QStringLiteral("font"));
    if (report && SameOutputFile(output, *report)) {
        return BadUsage(err, command, CommandLineNotices::SameOutputAndReport(output, *report));
    }

    // By default the glyphs that fill the codes up to FF.
    const auto opened = OpenGlyphs(*options.Value(QStringLiteral("game")), glyphSource,
                                   glyphSource.count.value_or(kCodeCount - first));
    if (!opened) return TableProblem(err, opened.error());
    const GlyphReader& reader = opened.value().first;
    const int count = opened.value().second;
    const int inTable = std::min(count, kCodeCount - first);
    // Glyphs past FF are read only for the report, which has room for longer codes.
    const int toRead = report ? count : inTable;

    const std::string family = font ? font->toStdString() : GlyphMatcher::kDefaultFamily;
    auto reference = GlyphMatcher::Open(family, RepertoireCharacters(repertoires));
    if (!reference) return TableProblem(err, Words::FontUnavailable(reference.error()));
    GlyphMatcher matcher = std::move(reference).value();

    // The font is read as a whole: some glyphs are told apart only by the others (a voiced
    // kana is its plain form with the font's voicing mark added).
    const auto glyphs = reader.Read(0, static_cast<std::size_t>(toRead));
    if (!glyphs) return TableProblem(err, glyphs.error());
    std::vector<GlyphSuggestion> readings = matcher.SuggestAll(glyphs.value());
    if (textRange) {
        // The game's text, read through the glyphs the pixels are sure of, decides the others.
        const auto text = ReadText(*options.Value(QStringLiteral("game")), *textRange, *textOption);
        if (!text) {
            return text.error().second ? BadUsage(err, command, text.error().first)
                                       : TableProblem(err, text.error().first);
        }
        DecideByScript(readings, static_cast<unsigned>(first), text.value());
    }

    const Workspace workspace = BestGuessTable(readings, first, inTable, format, err);
    if (count > inTable) {
        Say(err, Words::GlyphsPastLastCode(count - inTable,
                                           HexNumber(static_cast<unsigned>(first + count - 1), 1),
                                           report.has_value()));
    }

    if (output == QLatin1String("-")) {
        const auto table =
            FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode, format);
        if (!table) return TableProblem(err, MakeTableMessages::Failure(table.error()));
        if (const int status = Show(out, err, table.value()); status != kExitSuccess) {
            return status;
        }
    } else {
        const SaveTarget target{QFile::encodeName(output).toStdString(), format};
        if (const auto saved = SaveTable(workspace, target); !saved) {
            return TableProblem(err, MakeTableMessages::Failure(saved.error()));
        }
    }
    if (report) {
        const std::string text = SuggestionReport(readings, static_cast<unsigned>(first));
        if (const auto failed = WriteOutputFile(*report, text, out, [](const FileError& error) {
                return Words::ReportNotWritten(error);
            })) {
            return TableProblem(err, *failed);
        }
    }
    return kExitSuccess;
}

}  // namespace glyphwright
