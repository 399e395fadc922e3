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
            // A row's planes are read once, then its pixels from them.
            std::uint32_t p0 = 0, p1 = 0, p2 = 0, p3 = 0;
            switch (format.Tiles()) {
                case TileFormat::OneBpp: p0 = tileStart[y]; break;
                case TileFormat::Nes2bpp: p0 = tileStart[y]; p1 = tileStart[8 + y]; break;
                case TileFormat::Gb2bpp: p0 = tileStart[2 * y]; p1 = tileStart[2 * y + 1]; break;
                case TileFormat::Snes4bpp:
                    p0 = tileStart[2 * y];
                    p1 = tileStart[2 * y + 1];
                    p2 = tileStart[16 + 2 * y];
                    p3 = tileStart[17 + 2 * y];
                    break;
                default: break;
            }
            if (format.Tiles() != TileFormat::Gba4bpp && format.Tiles() != TileFormat::EightBpp) {
                for (int x = 0; x < kTile; ++x) {
                    const int shift = 7 - x;
                    const std::uint32_t index = (p0 >> shift & 1u) | (p1 >> shift & 1u) << 1 |
                                                (p2 >> shift & 1u) << 2 | (p3 >> shift & 1u) << 3;
                    row[x] = static_cast<std::uint8_t>(index * static_cast<std::uint32_t>(scale));
                }
                continue;
            }
            if (format.Tiles() == TileFormat::EightBpp) {
                std::memcpy(row, tileStart + 8 * y, kTile);
                continue;
            }
            for (int x = 0; x < kTile; x += 2) {
                const std::uint8_t pair = tileStart[4 * y + x / 2];
                row[x] = static_cast<std::uint8_t>((pair & 0x0F) * scale);
                row[x + 1] = static_cast<std::uint8_t>((pair >> 4) * scale);
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
    GlyphImage glyph;
    DecodeGlyphInto(bytes, format, glyph);
    return glyph;
}

void DecodeGlyphInto(std::span<const std::uint8_t> bytes, const GlyphFormat& format,
                     GlyphImage& glyph) {
    const std::size_t size = format.BytesPerGlyph();
    const std::uint8_t* from = bytes.data();
    // A glyph cut short by the file's end is padded with ground.
    std::array<std::uint8_t, kMaxGlyphBytes> padded;
    if (bytes.size() < size) {
        std::fill(padded.begin(), padded.end(), std::uint8_t{0});
        std::memcpy(padded.data(), bytes.data(), bytes.size());
        from = padded.data();
    }
    glyph.width = format.Width();
    glyph.height = format.Height();
    glyph.ink.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height),
                     0);
    if (format.IsTiled()) {
        DecodeTiled(from, format, glyph);
    } else {
        DecodeBitmap(from, format, glyph);
    }
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

std::vector<GlyphImage> DecodeGlyphsInMemory(std::span<const std::uint8_t> bytes,
                                             std::uint64_t offset, const GlyphFormat& format,
                                             std::uint64_t first, std::size_t count) {
    std::vector<GlyphImage> glyphs;
    const std::uint64_t held = GlyphsInFile(bytes.size(), offset, format);
    if (first >= held) return glyphs;
    const std::uint64_t shown = std::min<std::uint64_t>(count, held - first);
    glyphs.reserve(static_cast<std::size_t>(shown));
    const std::size_t size = format.BytesPerGlyph();
    for (std::uint64_t i = first; i < first + shown; ++i) {
        // Inside the bytes: i < held.
        const auto at = static_cast<std::size_t>(offset + i * size);
        glyphs.push_back(DecodeGlyph(bytes.subspan(at, std::min(size, bytes.size() - at)), format));
    }
    return glyphs;
}

}  // namespace glyphwright
