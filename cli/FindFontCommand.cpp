#include "FindFontCommand.h"

#include <QFile>

#include <optional>
#include <string>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "CommandOutput.h"
#include "FindFontMessages.h"
#include "GameFileMessages.h"
#include "core/compression/StreamScan.h"
#include "core/fontfind/FontFinder.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;
using Said = FindFontMessages;

std::string Hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
    return text;
}

// The options that show a candidate, as `glyphs` and `font-table` take them.
std::string CandidateLine(const FontCandidate& candidate) {
    char score[16];
    std::snprintf(score, sizeof score, "%.2f", candidate.score);
    std::string line = score;
    if (candidate.compression != Compression::None) {
        line += " --compression ";
        line += CompressionName(candidate.compression);
    }
    const GlyphFormat& format = candidate.format;
    line += " --offset " + Hex(candidate.offset);
    line += " --tiles ";
    line += TileFormatName(format.Tiles());
    line += " --glyph " + GlyphSizeName(format.Width(), format.Height());
    if (format.Order() == TileOrder::Down) line += " --tile-order down";
    line += " --count " + std::to_string(candidate.count);
    return line + '\n';
}

std::string StreamLine(const FoundStream& stream) {
    return std::string(CompressionName(stream.compression)) + '\t' + Hex(stream.offset) + '\t' +
           std::to_string(stream.packedSize) + '\t' + std::to_string(stream.unpackedSize) + '\n';
}

struct FindFontArguments {
    std::optional<QString> game;
    std::optional<QString> tiles;
    std::optional<QString> glyph;
    std::optional<QString> limit;
    bool streams = false;
};

// "--game FILE", "--game=FILE"; --streams takes no value.
Result<FindFontArguments, QString> Read(const QStringList& arguments) {
    FindFontArguments read;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--streams")) {
            if (read.streams) return Words::RepeatedOption(argument);
            read.streams = true;
            continue;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            return argument.startsWith(QLatin1Char('-')) && argument.size() > 1
                       ? Words::UnknownOption(argument)
                       : Words::NoArgumentsTaken(QStringLiteral("find-font"), argument);
        }
        QString name = argument;
        std::optional<QString> value;
        if (const qsizetype equals = argument.indexOf(QLatin1Char('=')); equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        std::optional<QString>* slot = name == QLatin1String("--game")    ? &read.game
                                       : name == QLatin1String("--tiles") ? &read.tiles
                                       : name == QLatin1String("--glyph") ? &read.glyph
                                       : name == QLatin1String("--limit") ? &read.limit
                                                                          : nullptr;
        if (slot == nullptr) return Words::UnknownOption(name);
        if (slot->has_value()) return Words::RepeatedOption(name);
        if (!value) {
            if (i + 1 >= arguments.size()) return Words::MissingValue(name);
            value = arguments[++i];
        }
        *slot = std::move(value);
    }
    return read;
}

QString TileFormatNames() {
    QStringList names;
    for (const TileFormat format : AllTileFormats()) {
        names << QString::fromLatin1(TileFormatName(format).data(),
                                     static_cast<qsizetype>(TileFormatName(format).size()));
    }
    return names.join(QStringLiteral(", "));
}

}  // namespace

int RunFindFont(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("find-font");
    const auto read = Read(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const FindFontArguments& options = read.value();
    if (!options.game) return BadUsage(err, command, Words::MissingGame());
    FontSearch search;
    if (options.tiles) {
        for (const QString& name : options.tiles->split(QLatin1Char(','))) {
            const auto format = ParseTileFormat(name.toStdString());
            if (!format) {
                return BadUsage(err, command, Words::UnknownTileFormat(name, TileFormatNames()));
            }
            search.tiles.push_back(*format);
        }
    }
    if (options.glyph) {
        for (const QString& name : options.glyph->split(QLatin1Char(','))) {
            const auto size = ParseGlyphSize(name.toStdString());
            if (!size || size->width < GlyphFormat::kMinBitmapSide ||
                size->height < GlyphFormat::kMinBitmapSide || size->width > GlyphFormat::kMaxSide ||
                size->height > GlyphFormat::kMaxSide) {
                return BadUsage(err, command, Words::BadGlyphSize(name));
            }
            search.sizes.push_back(*size);
        }
    }
    if (options.limit) {
        bool number = false;
        const int limit = options.limit->toInt(&number);
        if (!number || limit < 1 || limit > kMostFindFontCandidates) {
            return BadUsage(err, command,
                            Said::BadLimit(*options.limit, kMostFindFontCandidates));
        }
        search.limit = static_cast<std::size_t>(limit);
    }
    const auto file = GameFile::Open(QFile::encodeName(*options.game).toStdString());
    if (!file) return TableProblem(err, GameFileMessages::Failure(file.error()));
    if (file.value().Size() > kMaxFontSearchSize) {
        return TableProblem(err, Said::FileTooLarge(*options.game, file.value().Size(), kMaxFontSearchSize));
    }

    if (options.streams) {
        const auto streams = ScanStreams(file.value());
        if (!streams) return TableProblem(err, GameFileMessages::Failure(streams.error().error));
        std::string lines;
        for (const FoundStream& stream : streams.value()) lines += StreamLine(stream);
        if (const int status = Show(out, err, lines); status != kExitSuccess) return status;
        return streams.value().empty() ? kExitNothingFound : kExitSuccess;
    }

    const auto found = FindFonts(file.value(), search);
    if (!found) return TableProblem(err, GameFileMessages::Failure(found.error().error));
    if (found.value().empty()) {
        Say(err, Said::NothingFound());
        return kExitNothingFound;
    }
    std::string lines;
    for (const FontCandidate& candidate : found.value()) lines += CandidateLine(candidate);
    return Show(out, err, lines);
}

}  // namespace glyphwright
