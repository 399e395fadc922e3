#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/glyphs/GlyphFormat.h"

namespace glyphwright::test {

// Pixels as palette indices, row by row: what a game's artist drew.
struct IndexedGlyph {
    int width = 0;
    int height = 0;
    std::vector<int> index;  // width * height

    [[nodiscard]] int at(int x, int y) const {
        return index[static_cast<std::size_t>(y * width + x)];
    }
};

// Writes pixels the way each format stores them, pixel by pixel, so the decoder is checked
// against a second account of every format rather than against itself.
class GlyphEncoder {
public:
    static std::vector<std::uint8_t> Encode(const IndexedGlyph& glyph, const GlyphFormat& format) {
        std::vector<std::uint8_t> bytes(format.BytesPerGlyph(), 0);
        if (!format.IsTiled()) {
            const bool packed = format.Tiles() == TileFormat::BitmapPacked;
            const int rowBytes = (glyph.width + 7) / 8;
            for (int y = 0; y < glyph.height; ++y) {
                for (int x = 0; x < glyph.width; ++x) {
                    if (glyph.at(x, y) == 0) continue;
                    const int bit = packed ? y * glyph.width + x : y * rowBytes * 8 + x;
                    bytes[static_cast<std::size_t>(bit / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (bit % 8));
                }
            }
            return bytes;
        }
        const int across = glyph.width / 8;
        const int down = glyph.height / 8;
        const std::size_t tileBytes = bytes.size() / static_cast<std::size_t>(across * down);
        for (int tileY = 0; tileY < down; ++tileY) {
            for (int tileX = 0; tileX < across; ++tileX) {
                const int tile = format.Order() == TileOrder::Across ? tileY * across + tileX
                                                                     : tileX * down + tileY;
                std::uint8_t* out = bytes.data() + static_cast<std::size_t>(tile) * tileBytes;
                for (int y = 0; y < 8; ++y) {
                    for (int x = 0; x < 8; ++x) {
                        SetTilePixel(format.Tiles(), out, x, y,
                                     glyph.at(tileX * 8 + x, tileY * 8 + y));
                    }
                }
            }
        }
        return bytes;
    }

    static IndexedGlyph Random(const GlyphFormat& format, std::mt19937& random) {
        IndexedGlyph glyph{format.Width(), format.Height(), {}};
        std::uniform_int_distribution<int> pick(0, format.MaxIndex());
        for (int i = 0; i < glyph.width * glyph.height; ++i) glyph.index.push_back(pick(random));
        return glyph;
    }

private:
    static void SetTilePixel(TileFormat format, std::uint8_t* tile, int x, int y, int value) {
        const auto mask = static_cast<std::uint8_t>(0x80 >> x);
        const auto plane = [&](std::size_t at, int bit) {
            if ((value >> bit & 1) != 0) tile[at] |= mask;
        };
        const auto row = static_cast<std::size_t>(y);
        switch (format) {
            case TileFormat::OneBpp:
                plane(row, 0);
                break;
            case TileFormat::Nes2bpp:
                plane(row, 0), plane(8 + row, 1);
                break;
            case TileFormat::Gb2bpp:
                plane(2 * row, 0), plane(2 * row + 1, 1);
                break;
            case TileFormat::Snes4bpp:
                plane(2 * row, 0), plane(2 * row + 1, 1);
                plane(16 + 2 * row, 2), plane(17 + 2 * row, 3);
                break;
            case TileFormat::Gba4bpp:
                tile[4 * row + static_cast<std::size_t>(x / 2)] |=
                    static_cast<std::uint8_t>(x % 2 == 0 ? value : value << 4);
                break;
            case TileFormat::EightBpp:
                tile[8 * row + static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(value);
                break;
            default:
                break;
        }
    }
};

}  // namespace glyphwright::test
