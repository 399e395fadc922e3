#include "GlyphSource.h"

#include <QFile>

#include <algorithm>
#include <string_view>

#include "CommandLineMessages.h"
#include "GlyphSheet.h"
#include "HexText.h"
#include "GameFileMessages.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

std::optional<std::uint64_t> ReadOffset(const QString& text) {
    QString digits = text;
    if (digits.startsWith(QLatin1String("0x")) || digits.startsWith(QLatin1String("0X"))) {
        digits = digits.mid(2);
    }
    if (digits.isEmpty() || digits.size() > 16) return std::nullopt;
    for (const QChar digit : digits) {
        if (!digit.isDigit() && !QStringLiteral("abcdefABCDEF").contains(digit)) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 16);
    if (!ok) return std::nullopt;
    return value;
}

QString TileFormatNames() {
    QStringList names;
    for (const TileFormat format : AllTileFormats()) {
        const std::string_view name = TileFormatName(format);
        names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Reads the glyph options into a format, or says what is wrong with them.
Result<GlyphFormat, QString> ReadGlyphFormat(const QString& tilesName, const QString& glyph,
                                             const std::optional<QString>& tileOrder) {
    const auto tiles = ParseTileFormat(tilesName.toStdString());
    if (!tiles) return Words::UnknownTileFormat(tilesName, TileFormatNames());
    TileOrder order = TileOrder::Across;
    if (tileOrder) {
        const auto chosen = ParseTileOrder(tileOrder->toStdString());
        if (!chosen) return Words::UnknownTileOrder(*tileOrder);
        order = *chosen;
    }
    const auto size = ParseGlyphSize(glyph.toStdString());
    if (!size) return Words::BadGlyphSize(glyph);
    const auto format = GlyphFormat::Make(*tiles, size->width, size->height, order);
    if (!format) {
        if (format.error() == GlyphFormatProblem::NotWholeTiles) {
            return Words::GlyphNotWholeTiles(glyph, tilesName);
        }
        const bool tiled = *tiles != TileFormat::Bitmap && *tiles != TileFormat::BitmapPacked;
        return Words::GlyphTooLarge(glyph, tilesName,
                                    tiled ? GlyphFormat::kTileSide : GlyphFormat::kMinBitmapSide);
    }
    return format.value();
}

}  // namespace

std::vector<QStringList> GlyphOptionNames() {
    return {{QStringLiteral("game")},  {QStringLiteral("offset")},     {QStringLiteral("tiles")},
            {QStringLiteral("glyph")}, {QStringLiteral("tile-order")}, {QStringLiteral("count")}};
}

std::optional<QString> MissingOption(const CommandOptions& options,
                                     std::initializer_list<const char*> required) {
    for (const char* example : required) {
        const QString shown = QString::fromLatin1(example);
        const QString option = shown.section(QLatin1Char(' '), 0, 0);
        if (!options.Value(option.mid(2))) {
            return Words::MissingOption(option, shown.section(QLatin1Char(' '), 1));
        }
    }
    return std::nullopt;
}

std::optional<int> ReadSmallNumber(const QString& text, int most) {
    if (text.isEmpty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.isDigit() && c.unicode() < 128;
        })) {
        return std::nullopt;
    }
    const int value = text.toInt();
    if (value < 1 || value > most) return std::nullopt;
    return value;
}

Result<GlyphSource, QString> ReadGlyphSource(const CommandOptions& options) {
    GlyphSource source;
    const QString offsetText = options.Value(QStringLiteral("offset")).value_or(QString());
    const auto offset = ReadOffset(offsetText);
    if (!offset) return Words::BadOffset(offsetText);
    source.offset = *offset;
    const auto format = ReadGlyphFormat(options.Value(QStringLiteral("tiles")).value_or(QString()),
                                        options.Value(QStringLiteral("glyph")).value_or(QString()),
                                        options.Value(QStringLiteral("tile-order")));
    if (!format) return format.error();
    source.format = format.value();
    if (const auto count = options.Value(QStringLiteral("count"))) {
        const auto chosen = ReadSmallNumber(*count, GlyphSheet::kMaxGlyphs);
        if (!chosen) return Words::BadCount(*count, GlyphSheet::kMaxGlyphs);
        source.count = *chosen;
    }
    return source;
}

Result<std::pair<GameFile, int>, QString> OpenGlyphs(const QString& path, const GlyphSource& source,
                                                     int asked) {
    auto file = GameFile::Open(QFile::encodeName(path).toStdString());
    if (!file) return GameFileMessages::Failure(file.error());
    const std::uint64_t inFile = GlyphsInFile(file.value().Size(), source.offset, source.format);
    if (inFile == 0) return Words::NoGlyphsAt(HexNumber(source.offset, 1), file.value().Size());
    const int count =
        static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(asked), inFile));
    return std::pair<GameFile, int>(std::move(file).value(), count);
}

}  // namespace glyphwright
