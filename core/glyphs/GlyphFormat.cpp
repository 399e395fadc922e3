#include "core/glyphs/GlyphFormat.h"

#include <array>
#include <charconv>
#include <utility>

namespace glyphwright {

namespace {

struct NamedFormat {
    TileFormat format;
    std::string_view name;
};

constexpr std::array kFormatNames{
    NamedFormat{TileFormat::OneBpp, "1bpp"},
    NamedFormat{TileFormat::Nes2bpp, "nes2bpp"},
    NamedFormat{TileFormat::Gb2bpp, "gb2bpp"},
    NamedFormat{TileFormat::Snes4bpp, "snes4bpp"},
    NamedFormat{TileFormat::Gba4bpp, "gba4bpp"},
    NamedFormat{TileFormat::EightBpp, "8bpp"},
    NamedFormat{TileFormat::Bitmap, "bitmap"},
    NamedFormat{TileFormat::BitmapPacked, "bitmap-packed"},
};

constexpr std::array kAllFormats{
    TileFormat::OneBpp,  TileFormat::Nes2bpp,  TileFormat::Gb2bpp, TileFormat::Snes4bpp,
    TileFormat::Gba4bpp, TileFormat::EightBpp, TileFormat::Bitmap, TileFormat::BitmapPacked};

// Bytes of one 8x8 tile.
std::uint32_t TileBytes(TileFormat format) {
    switch (format) {
        case TileFormat::OneBpp:
            return 8;
        case TileFormat::Nes2bpp:
        case TileFormat::Gb2bpp:
            return 16;
        case TileFormat::Snes4bpp:
        case TileFormat::Gba4bpp:
            return 32;
        case TileFormat::EightBpp:
            return 64;
        case TileFormat::Bitmap:
        case TileFormat::BitmapPacked:
            break;
    }
    return 0;
}

std::optional<int> ParseSide(std::string_view text) {
    // Digits only: from_chars would take a sign.
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

Result<GlyphFormat, GlyphFormatProblem> GlyphFormat::Make(TileFormat tiles, int width, int height,
                                                          TileOrder order) {
    if (tiles == TileFormat::Bitmap || tiles == TileFormat::BitmapPacked) {
        if (width < kMinBitmapSide || height < kMinBitmapSide || width > kMaxSide ||
            height > kMaxSide) {
            return GlyphFormatProblem::OutOfRange;
        }
        return GlyphFormat(tiles, width, height, order);
    }
    if (width <= 0 || height <= 0 || width % kTileSide != 0 || height % kTileSide != 0) {
        return GlyphFormatProblem::NotWholeTiles;
    }
    if (width > kMaxSide || height > kMaxSide) return GlyphFormatProblem::OutOfRange;
    return GlyphFormat(tiles, width, height, order);
}

bool GlyphFormat::IsTiled() const {
    return tiles_ != TileFormat::Bitmap && tiles_ != TileFormat::BitmapPacked;
}

std::uint32_t GlyphFormat::BytesPerGlyph() const {
    const auto width = static_cast<std::uint32_t>(width_);
    const auto height = static_cast<std::uint32_t>(height_);
    switch (tiles_) {
        case TileFormat::Bitmap:
            return (width + 7) / 8 * height;
        case TileFormat::BitmapPacked:
            return (width * height + 7) / 8;
        default:
            return TileBytes(tiles_) * (width / kTileSide) * (height / kTileSide);
    }
}

int GlyphFormat::MaxIndex() const {
    switch (tiles_) {
        case TileFormat::Nes2bpp:
        case TileFormat::Gb2bpp:
            return 3;
        case TileFormat::Snes4bpp:
        case TileFormat::Gba4bpp:
            return 15;
        case TileFormat::EightBpp:
            return 255;
        default:
            return 1;
    }
}

std::span<const TileFormat> AllTileFormats() {
    return kAllFormats;
}

std::string_view TileFormatName(TileFormat format) {
    for (const NamedFormat& named : kFormatNames) {
        if (named.format == format) return named.name;
    }
    return {};
}

std::optional<TileFormat> ParseTileFormat(std::string_view name) {
    for (const NamedFormat& named : kFormatNames) {
        if (named.name == name) return named.format;
    }
    return std::nullopt;
}

std::string_view TileOrderName(TileOrder order) {
    return order == TileOrder::Down ? "down" : "across";
}

std::optional<TileOrder> ParseTileOrder(std::string_view name) {
    if (name == "across") return TileOrder::Across;
    if (name == "down") return TileOrder::Down;
    return std::nullopt;
}

std::optional<GlyphSize> ParseGlyphSize(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto width = ParseSide(text.substr(0, x));
    const auto height = ParseSide(text.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return GlyphSize{*width, *height};
}

std::string GlyphSizeName(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace glyphwright
