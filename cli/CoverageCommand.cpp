#include "CoverageCommand.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "DictionaryMessages.h"
#include "HexText.h"
#include "GameFileMessages.h"
#include "ScriptCommands.h"
#include "core/game/GameFile.h"
#include "core/text/CodeReader.h"
#include "core/text/ScriptCoverage.h"

namespace glyphwright {

namespace {

using namespace script_commands;

struct ByteRange {
    std::uint64_t start = 0;
    std::uint64_t end = 0;  // not included
};

std::optional<std::uint64_t> ReadHexOffset(const QString& text) {
    if (text.isEmpty() || text.size() > 16) return std::nullopt;
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 16);
    if (!ok || text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) {
        return std::nullopt;
    }
    return value;
}

std::optional<ByteRange> ReadRange(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2) return std::nullopt;
    const auto start = ReadHexOffset(parts[0]);
    const auto end = ReadHexOffset(parts[1]);
    if (!start || !end || *start >= *end) return std::nullopt;
    return ByteRange{*start, *end};
}

}  // namespace

int RunCoverage(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("coverage");
    QCommandLineParser parser;
    AddGameAndTables(parser);
    const QCommandLineOption range({QStringLiteral("r"), QStringLiteral("range")}, {},
                                   QStringLiteral("START:END"));
    parser.addOption(range);
    if (const int done = Parse(parser, command, DictionaryMessages::CoverageHelp(), arguments,
                               out, err);
        done >= 0) {
        return done;
    }
    if (const int missing = CheckGameAndTables(parser, command, err); missing >= 0) return missing;
    std::optional<ByteRange> only;
    if (parser.isSet(range)) {
        only = ReadRange(parser.value(range));
        if (!only) return BadUsage(err, command, DictionaryMessages::BadRange(parser.value(range)));
    }
    const auto opened = OpenGameAndTables(parser, err);
    if (!opened) return opened.error();
    const GameFile& file = opened.value().game;
    ByteRange read{0, file.Size()};
    if (only) {
        if (only->start >= file.Size()) {
            return BadUsage(err, command,
                            DictionaryMessages::RangePastEnd(parser.value(range), file.Size()));
        }
        read = {only->start, std::min(only->end, file.Size())};
    }

    const DocumentContents& contents = opened.value().tables;
    const TableEntries& held = contents.table.TableText;
    CodeReader reader(held.Texts(), held.Kinds(), held.TwoByte());
    // A linked entry's parameters are no codes the table lacks, nor are the codes a switch reads
    // through another table of the file.
    reader.ReadKinds(
        &held, [&contents](std::string_view id) { return contents.table.TableNamed(id); },
        contents.table.TableId);
    ScriptCoverage coverage;
    // A piece at a time; a code that may go on into the next piece is read again with it.
    constexpr std::size_t kPiece = 1 << 20;
    std::vector<std::uint8_t> piece(kPiece);
    std::vector<CodeToken> tokens;
    for (std::uint64_t at = read.start; at < read.end;) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, read.end - at));
        const auto got = file.Read(at, std::span(piece.data(), wanted));
        if (!got) return TableProblem(err, GameFileMessages::Failure(got.error()));
        if (got.value() == 0) break;
        reader.Read(std::span(piece.data(), got.value()), tokens);
        const bool last = at + got.value() >= read.end;
        // The last code may go on: one begun on the piece's last byte, parameters cut.
        if (!last && tokens.size() > 1 &&
            (tokens.back().offset + 1 == got.value() || tokens.back().cut)) {
            const std::size_t next = tokens.back().offset;
            tokens.pop_back();
            coverage.Add(tokens);
            at += next;
        } else {
            coverage.Add(tokens);
            at += got.value();
        }
    }
    std::string lines;
    for (const MissingCode& missing : coverage.Missing()) {
        lines += HexNumber(missing.code).toStdString() + '\t' + std::to_string(missing.uses) + '\n';
    }
    return Show(out, err, lines);
}

}  // namespace glyphwright
