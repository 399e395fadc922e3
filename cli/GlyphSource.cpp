#include "GlyphSource.h"

#include <QFile>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "CommandLineMessages.h"
#include "GlyphSheet.h"
#include "HexText.h"
#include "FindFontMessages.h"
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
            {QStringLiteral("glyph")}, {QStringLiteral("tile-order")}, {QStringLiteral("count")},
            {QStringLiteral("compression")}};
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
    if (const auto compression = options.Value(QStringLiteral("compression"))) {
        const auto chosen = ParseCompression(compression->toStdString());
        if (!chosen) return FindFontMessages::UnknownCompression(*compression);
        source.compression = *chosen;
    }
    if (const auto count = options.Value(QStringLiteral("count"))) {
        const auto chosen = ReadSmallNumber(*count, GlyphSheet::kMaxGlyphs);
        if (!chosen) return Words::BadCount(*count, GlyphSheet::kMaxGlyphs);
        source.count = *chosen;
    }
    return source;
}

Result<std::vector<GlyphImage>, QString> GlyphReader::Read(std::uint64_t first,
                                                          std::size_t count) const {
    if (source_.compression == Compression::None) {
        auto glyphs = DecodeGlyphs(file_, source_.offset, source_.format, first, count);
        if (!glyphs) return GameFileMessages::Failure(glyphs.error());
        return std::move(glyphs).value();
    }
    // Glyph i at i * BytesPerGlyph() of what the stream unpacks to; the last one as far as the
    // bytes go.
    const std::size_t size = source_.format.BytesPerGlyph();
    std::vector<GlyphImage> glyphs;
    for (std::uint64_t i = first; i < first + count && i * size < unpacked_.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * size;
        glyphs.push_back(DecodeGlyph(
            std::span(unpacked_).subspan(at, std::min(size, unpacked_.size() - at)),
            source_.format));
    }
    return glyphs;
}

Result<std::pair<GlyphReader, int>, QString> OpenGlyphs(const QString& path,
                                                        const GlyphSource& source, int asked) {
    auto file = GameFile::Open(QFile::encodeName(path).toStdString());
    if (!file) return GameFileMessages::Failure(file.error());
    std::uint64_t inFile = 0;
    std::vector<std::uint8_t> unpacked;
    if (source.compression == Compression::None) {
        inFile = GlyphsInFile(file.value().Size(), source.offset, source.format);
    } else {
        // A stream states at most 16 MiB; its packed bytes are fewer but for a few per cent.
        const auto packed =
            file.value().ReadWindow(source.offset, kMaxUnpackedSize + kMaxUnpackedSize / 4);
        if (!packed) return GameFileMessages::Failure(packed.error());
        auto stream = Unpack(packed.value(), source.compression);
        if (!stream) {
            const std::string_view name = CompressionName(source.compression);
            return FindFontMessages::StreamUnreadable(
                HexNumber(source.offset, 1),
                QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                FindFontMessages::StreamProblemText(stream.error()));
        }
        unpacked = std::move(stream).value().bytes;
        inFile = GlyphsInFile(unpacked.size(), 0, source.format);
    }
    if (inFile == 0) return Words::NoGlyphsAt(HexNumber(source.offset, 1), file.value().Size());
    const int count =
        static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(asked), inFile));
    return std::pair<GlyphReader, int>(
        GlyphReader(std::move(file).value(), source, std::move(unpacked)), count);
}

}  // namespace glyphwright
