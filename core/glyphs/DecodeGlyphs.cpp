#include "core/glyphs/DecodeGlyphs.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace glyphwright {

namespace {

constexpr int kTile = GlyphFormat::kTileSide;
// The most bytes one glyph can take: 32x32 pixels of a byte each.
constexpr std::size_t kMaxGlyphBytes = GlyphFormat::kMaxSide * GlyphFormat::kMaxSide;
// What one read takes at most, so any count of glyphs is decoded in bounded memory.
constexpr std::size_t kReadPiece = 64 * 1024;

int Bit(std::uint8_t byte, int x) {
    return (byte >> (7 - x)) & 1;
}

// The palette index of pixel (x, y) of the 8x8 tile at `tile`.
int TilePixel(TileFormat format, const std::uint8_t* tile, int x, int y) {
    switch (format) {
        case TileFormat::OneBpp:
            return Bit(tile[y], x);
        case TileFormat::Nes2bpp:
            return Bit(tile[y], x) | Bit(tile[8 + y], x) << 1;
        case TileFormat::Gb2bpp:
            return Bit(tile[2 * y], x) | Bit(tile[2 * y + 1], x) << 1;
        case TileFormat::Snes4bpp:
            return Bit(tile[2 * y], x) | Bit(tile[2 * y + 1], x) << 1 |
                   Bit(tile[16 + 2 * y], x) << 2 | Bit(tile[17 + 2 * y], x) << 3;
        case TileFormat::Gba4bpp: {
            const std::uint8_t pair = tile[4 * y + x / 2];
            return x % 2 == 0 ? pair & 0x0F : pair >> 4;
        }
        case TileFormat::EightBpp:
            return tile[8 * y + x];
        case TileFormat::Bitmap:
        case TileFormat::BitmapPacked:
            break;
    }
    return 0;
}

void DecodeTiled(const std::uint8_t* bytes, const GlyphFormat& format, GlyphImage& glyph) {
    const std::size_t tileBytes =
        format.BytesPerGlyph() /
        static_cast<std::size_t>(glyph.width / kTile * (glyph.height / kTile));
    const int across = glyph.width / kTile;
    const int down = glyph.height / kTile;
    const int scale = 255 / format.MaxIndex();
    for (int tile = 0; tile < across * down; ++tile) {
        const int tileX = format.Order() == TileOrder::Across ? tile % across : tile / down;
        const int tileY = format.Order() == TileOrder::Across ? tile / across : tile % down;
        const std::uint8_t* tileStart = bytes + static_cast<std::size_t>(tile) * tileBytes;
        for (int y = 0; y < kTile; ++y) {
            std::uint8_t* row = glyph.ink.data() +
                                static_cast<std::size_t>(tileY * kTile + y) *
                                    static_cast<std::size_t>(glyph.width) +
                                static_cast<std::size_t>(tileX * kTile);
            for (int x = 0; x < kTile; ++x) {
                row[x] =
                    static_cast<std::uint8_t>(TilePixel(format.Tiles(), tileStart, x, y) * scale);
            }
        }
    }
}

void DecodeBitmap(const std::uint8_t* bytes, const GlyphFormat& format, GlyphImage& glyph) {
    const bool packed = format.Tiles() == TileFormat::BitmapPacked;
    const std::size_t rowBits = packed ? static_cast<std::size_t>(glyph.width)
                                       : static_cast<std::size_t>((glyph.width + 7) / 8 * 8);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const std::size_t bit =
                static_cast<std::size_t>(y) * rowBits + static_cast<std::size_t>(x);
            glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] =
                Bit(bytes[bit / 8], static_cast<int>(bit % 8)) != 0 ? 255 : 0;
        }
    }
}

}  // namespace

GlyphImage DecodeGlyph(std::span<const std::uint8_t> bytes, const GlyphFormat& format) {
    // A glyph cut short by the file's end is padded with ground.
    std::array<std::uint8_t, kMaxGlyphBytes> padded{};
    const std::size_t size = format.BytesPerGlyph();
    std::memcpy(padded.data(), bytes.data(), std::min(bytes.size(), size));

    GlyphImage glyph;
    glyph.width = format.Width();
    glyph.height = format.Height();
    glyph.ink.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height),
                     0);
    if (format.IsTiled()) {
        DecodeTiled(padded.data(), format, glyph);
    } else {
        DecodeBitmap(padded.data(), format, glyph);
    }
    return glyph;
}

std::uint64_t GlyphsInFile(std::uint64_t fileSize, std::uint64_t offset,
                           const GlyphFormat& format) {
    if (offset >= fileSize) return 0;
    const std::uint64_t size = format.BytesPerGlyph();
    return (fileSize - offset + size - 1) / size;
}

Result<std::vector<GlyphImage>, GameFileError> DecodeGlyphs(const GameFile& file,
                                                            std::uint64_t offset,
                                                            const GlyphFormat& format,
                                                            std::uint64_t first,
                                                            std::size_t count) {
    std::vector<GlyphImage> glyphs;
    const std::uint64_t inFile = GlyphsInFile(file.Size(), offset, format);
    if (first >= inFile) return glyphs;
    const std::uint64_t shown = std::min<std::uint64_t>(count, inFile - first);
    glyphs.reserve(static_cast<std::size_t>(shown));

    // first < inFile, so first * size lies inside the file and cannot overflow.
    const std::size_t size = format.BytesPerGlyph();
    const std::size_t perPiece = std::max<std::size_t>(1, kReadPiece / size);
    std::vector<std::uint8_t> piece;
    for (std::uint64_t done = 0; done < shown;) {
        const auto now = static_cast<std::size_t>(std::min<std::uint64_t>(perPiece, shown - done));
        piece.assign(now * size, 0);
        const auto read = file.Read(offset + (first + done) * size, piece);
        if (!read) return read.error();
        for (std::size_t glyph = 0; glyph < now; ++glyph) {
            const std::size_t start = glyph * size;
            const std::size_t held =
                read.value() > start ? std::min(size, read.value() - start) : 0;
            glyphs.push_back(DecodeGlyph(std::span(piece).subspan(start, held), format));
        }
        done += now;
    }
    return glyphs;
}

}  // namespace glyphwright
