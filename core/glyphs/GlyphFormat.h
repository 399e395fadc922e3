#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/table/Result.h"

namespace glyphwright {

// How a game stores the pixels of its tiles. The names below are the ones the user reads and
// types everywhere a format is named.
enum class TileFormat {
    OneBpp,        // "1bpp": one byte per row of 8 pixels, leftmost pixel in the high bit
    Nes2bpp,       // "nes2bpp": 8 bytes of plane 0, then 8 of plane 1
    Gb2bpp,        // "gb2bpp": each row's two planes side by side (Game Boy, SNES 2bpp)
    Snes4bpp,      // "snes4bpp": planes 0 and 1 row by row, then planes 2 and 3 (SNES, PC Engine)
    Gba4bpp,       // "gba4bpp": two pixels a byte, the left one in the low nibble
    EightBpp,      // "8bpp": one byte per pixel
    Bitmap,        // "bitmap": 1 bit a pixel, any size from 4 to 32, rows padded to whole bytes
    BitmapPacked,  // "bitmap-packed": 1 bit a pixel, any size from 4 to 32, bit after bit
};

// Which way a glyph of several tiles takes them: across then down, or down then across.
enum class TileOrder { Across, Down };

enum class GlyphFormatProblem {
    NotWholeTiles,  // a tiled format's width or height is no multiple of 8 (or is 0)
    OutOfRange,     // wider or higher than a format allows
};

// A tile format, a glyph size and the order of the tiles inside a glyph: everything needed to
// turn a game's bytes into glyphs. Only sizes the format can hold are made.
class GlyphFormat {
public:
    static constexpr int kMinBitmapSide = 4;
    static constexpr int kMaxSide = 32;
    static constexpr int kTileSide = 8;

    // One 8x8 tile of 1 bit a pixel.
    GlyphFormat() = default;
    [[nodiscard]] static Result<GlyphFormat, GlyphFormatProblem> Make(
        TileFormat tiles, int width, int height, TileOrder order = TileOrder::Across);

    [[nodiscard]] TileFormat Tiles() const { return tiles_; }
    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] TileOrder Order() const { return order_; }
    // The bitmaps are one picture, not tiles.
    [[nodiscard]] bool IsTiled() const;
    // Bytes from one glyph to the next. A packed bitmap's glyph starts on a whole byte.
    [[nodiscard]] std::uint32_t BytesPerGlyph() const;
    // The highest palette index a pixel can hold: 1, 3, 15 or 255.
    [[nodiscard]] int MaxIndex() const;

    friend bool operator==(const GlyphFormat&, const GlyphFormat&) = default;

private:
    GlyphFormat(TileFormat tiles, int width, int height, TileOrder order)
        : tiles_(tiles), width_(width), height_(height), order_(order) {}

    TileFormat tiles_ = TileFormat::OneBpp;
    int width_ = kTileSide;
    int height_ = kTileSide;
    TileOrder order_ = TileOrder::Across;
};

// Every tile format, in the order the user is offered them.
[[nodiscard]] std::span<const TileFormat> AllTileFormats();
[[nodiscard]] std::string_view TileFormatName(TileFormat format);  // "gb2bpp"
[[nodiscard]] std::optional<TileFormat> ParseTileFormat(std::string_view name);
[[nodiscard]] std::string_view TileOrderName(TileOrder order);  // "across", "down"
[[nodiscard]] std::optional<TileOrder> ParseTileOrder(std::string_view name);

struct GlyphSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const GlyphSize&, const GlyphSize&) = default;
};
// "16x16" (decimal, an x between); nothing for anything else.
[[nodiscard]] std::optional<GlyphSize> ParseGlyphSize(std::string_view text);
[[nodiscard]] std::string GlyphSizeName(int width, int height);  // "16x16"

}  // namespace glyphwright
