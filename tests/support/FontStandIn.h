#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/compression/Compression.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/ReferenceFont.h"
#include "support/GlyphEncoder.h"
#include "support/StreamEncoder.h"

namespace glyphwright::test {

// A stand-in game for Find Font: a font drawn from an installed Debian face (never the matcher's
// reference face), stored in a tile format, raw or packed, among decoys of the kinds real games
// hold: code, sprite tiles, packed sprite data, padding and packed-looking noise.
struct StandInPlan {
    std::string face;          // a family fontconfig knows, or a .pcf.gz path (drawn in its pixels)
    int width = 8;
    int height = 8;
    TileFormat tiles = TileFormat::OneBpp;
    TileOrder order = TileOrder::Across;
    Compression packing = Compression::None;
    bool shadow = false;       // a second colour below and right of the strokes (2 bpp and up)
    std::size_t fileSize = 1u << 20;
    unsigned seed = 1;
};

struct StandIn {
    std::vector<std::uint8_t> bytes;
    std::uint64_t offset = 0;  // the font's first glyph, or the stream holding it
    GlyphFormat format;
    Compression compression = Compression::None;
    std::uint64_t count = 0;
    std::vector<std::uint64_t> streams;  // every packed stream planted, the font's included
};

class FontStandIns {
public:
    // The characters a font of this size holds that the face draws: ASCII alone in narrow cells,
    // ASCII and kana in 8x8 ones, kana and kanji in the large ones.
    static std::vector<char32_t> Characters(int width, int height, const ReferenceFont& face) {
        std::vector<char32_t> wanted;
        if (width <= 8) {
            for (char32_t c = U'!'; c <= U'~'; ++c) wanted.push_back(c);
        }
        if (width >= height) {
            for (char32_t c = U'ぁ'; c <= U'ん'; ++c) wanted.push_back(c);
        }
        if (width > 8) {
            const std::u32string kanji = U"日本語人大中小上下山川田木水火金土月年時分前後東西南北";
            wanted.insert(wanted.end(), kanji.begin(), kanji.end());
        }
        std::vector<char32_t> characters;
        for (const char32_t c : wanted) {
            if (face.Has(c)) characters.push_back(c);
        }
        return characters;
    }

    static const ReferenceFont& Face(const std::string& name) {
        static std::map<std::string, ReferenceFont> faces;
        auto found = faces.find(name);
        if (found == faces.end()) {
            auto opened = name.ends_with(".pcf.gz") ? ReferenceFont::OpenFile(name)
                                                    : ReferenceFont::Open(name);
            if (!opened) throw std::runtime_error("stand-in face missing: " + name);
            found = faces.emplace(name, std::move(opened).value()).first;
        }
        return found->second;
    }

    static StandIn Make(const StandInPlan& plan) {
        std::mt19937 random(plan.seed);
        const auto made = GlyphFormat::Make(plan.tiles, plan.width, plan.height, plan.order);
        if (!made) throw std::invalid_argument("no such glyph format");
        const GlyphFormat format = made.value();
        const ReferenceFont& face = Face(plan.face);
        const int ink = std::min(format.MaxIndex(), plan.tiles == TileFormat::EightBpp ? 9 : 3);
        std::vector<std::uint8_t> font;
        std::uint64_t count = 0;
        for (const char32_t c : Characters(plan.width, plan.height, face)) {
            const GlyphImage drawn =
                plan.face.ends_with(".pcf.gz")
                    ? face.DrawOwnPixels(c, plan.width, plan.height)
                    : face.Draw(c, plan.width, plan.height, Rendering::Pixels);
            IndexedGlyph glyph{plan.width, plan.height,
                               std::vector<int>(static_cast<std::size_t>(plan.width * plan.height), 0)};
            for (int y = 0; y < plan.height; ++y) {
                for (int x = 0; x < plan.width; ++x) {
                    if (drawn.at(x, y) < 128) continue;
                    glyph.index[static_cast<std::size_t>(y * plan.width + x)] = ink;
                    if (plan.shadow && format.MaxIndex() > 1 && x + 1 < plan.width &&
                        y + 1 < plan.height) {
                        int& below = glyph.index[static_cast<std::size_t>((y + 1) * plan.width + x + 1)];
                        if (below == 0) below = 1;
                    }
                }
            }
            // The shadow may have been drawn under ink set later: ink wins.
            for (int y = 0; y < plan.height; ++y) {
                for (int x = 0; x < plan.width; ++x) {
                    if (drawn.at(x, y) >= 128) glyph.index[static_cast<std::size_t>(y * plan.width + x)] = ink;
                }
            }
            const auto bytes = GlyphEncoder::Encode(glyph, format);
            font.insert(font.end(), bytes.begin(), bytes.end());
            ++count;
        }
        if (count < 48) throw std::runtime_error("stand-in face draws too few characters: " + plan.face);

        StandIn standIn;
        standIn.format = format;
        standIn.compression = plan.packing;
        standIn.count = count;
        std::vector<std::uint8_t>& out = standIn.bytes;
        // Decoys before and after the font, a piece at a time, each on a whole word.
        const std::size_t fontAt = plan.fileSize / 8 + random() % (plan.fileSize / 2);
        const auto decoys = [&](std::size_t until) {
            while (out.size() < until) {
                AddDecoy(out, until, random, standIn.streams);
                while (out.size() % 4 != 0) out.push_back(0);
            }
            out.resize(until);
        };
        decoys(fontAt & ~std::size_t{3});
        standIn.offset = out.size();
        if (plan.packing == Compression::None) {
            out.insert(out.end(), font.begin(), font.end());
        } else {
            standIn.streams.push_back(out.size());
            const auto packed = Pack(font, plan.packing, plan.tiles);
            out.insert(out.end(), packed.begin(), packed.end());
        }
        while (out.size() % 4 != 0) out.push_back(0);
        decoys(std::max(out.size(), plan.fileSize));
        return standIn;
    }

    static std::vector<std::uint8_t> Pack(const std::vector<std::uint8_t>& data, Compression packing,
                                          TileFormat tiles) {
        switch (packing) {
            case Compression::Lz10: return StreamEncoder::Lz(data, false);
            case Compression::Lz11: return StreamEncoder::Lz(data, true);
            case Compression::Huffman:
                return StreamEncoder::Huffman(data, tiles == TileFormat::Gba4bpp ? 4 : 8);
            case Compression::Rle: return StreamEncoder::Rle(data);
            case Compression::None: break;
        }
        return data;
    }

    // A file of `size` bytes with `count` packed streams planted among decoys, the five types in
    // turn (LZ77 10h, LZ 11h, Huffman 4- and 8-bit, RLE), each packing sprite tiles or font-like
    // rows; returns the bytes and the offsets planted.
    static std::pair<std::vector<std::uint8_t>, std::vector<std::uint64_t>> StreamsAmongDecoys(
        std::size_t size, std::size_t count, unsigned seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> out;
        std::vector<std::uint64_t> planted;
        std::vector<std::uint64_t> decoyStreams;
        const std::size_t gap = size / (count + 1);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t until = ((i + 1) * gap - 20000) & ~std::size_t{3};  // on a word
            while (out.size() < until) {
                AddDecoy(out, until, random, decoyStreams);
                while (out.size() % 4 != 0) out.push_back(0);
            }
            out.resize(until);
            std::vector<std::uint8_t> data;
            const std::size_t length = 512 + random() % 8192;
            const bool sprites = random() % 2 == 0;
            while (data.size() < length) {
                if (sprites) {
                    SpriteTile(data, random);
                } else {
                    const std::array<std::uint8_t, 8> strokes = {0, 0, 0, 0x18, 0x3C, 0x66, 0x7E, 0x81};
                    data.push_back(strokes[random() % strokes.size()]);
                }
            }
            std::vector<std::uint8_t> packed;
            switch (i % 5) {
                case 0: packed = StreamEncoder::Lz(data, false, 512); break;
                case 1: packed = StreamEncoder::Lz(data, true, 512); break;
                case 2: packed = StreamEncoder::Huffman(data, 4); break;
                case 3: packed = sprites ? StreamEncoder::Huffman(data, 4) : StreamEncoder::Huffman(data, 8); break;
                default: packed = StreamEncoder::Rle(data); break;
            }
            planted.push_back(out.size());
            out.insert(out.end(), packed.begin(), packed.end());
            while (out.size() % 4 != 0) out.push_back(0);
        }
        while (out.size() < size) {
            AddDecoy(out, size, random, decoyStreams);
            while (out.size() % 4 != 0) out.push_back(0);
        }
        out.resize(size);
        // The packed sprites among the decoys are streams too.
        planted.insert(planted.end(), decoyStreams.begin(), decoyStreams.end());
        std::sort(planted.begin(), planted.end());
        return {std::move(out), std::move(planted)};
    }

private:
    // One decoy, ending at `until` at the latest.
    static void AddDecoy(std::vector<std::uint8_t>& out, std::size_t until, std::mt19937& random,
                         std::vector<std::uint64_t>& streams) {
        const std::size_t room = until - out.size();
        const std::size_t length = std::min<std::size_t>(room, 256 + random() % 16384);
        switch (random() % 6) {
            case 0: {  // ARM and Thumb code: conditions, registers, small immediates
                for (std::size_t i = 0; i + 4 <= length; i += 4) {
                    const auto word = static_cast<std::uint32_t>(
                        (random() % 4 == 0) ? (0xE0000000u | (random() & 0x0FFFF0FFu))
                                            : (0x4000u | (random() & 0x3FFFu)) | ((0x2000u | (random() & 0x1FFFu)) << 16));
                    for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
                }
                break;
            }
            case 1: {  // sprite tiles: 4 bpp blobs of several colours
                for (std::size_t i = 0; i + 32 <= length; i += 32) SpriteTile(out, random);
                break;
            }
            case 2: {  // packed sprite tiles
                std::vector<std::uint8_t> sprites;
                // Too short a stream to tell from chance bytes, and no sprite sheet: none.
                const std::size_t tiles = std::min<std::size_t>(length, 4096);
                if (tiles < 256) break;
                for (std::size_t i = 0; i + 32 <= tiles; i += 32) SpriteTile(sprites, random);
                const auto packed = StreamEncoder::Lz(sprites, random() % 2 == 0, 512);
                if (packed.size() > room) break;
                streams.push_back(out.size());
                out.insert(out.end(), packed.begin(), packed.end());
                break;
            }
            case 3: {  // padding
                out.insert(out.end(), length, random() % 2 == 0 ? 0x00 : 0xFF);
                break;
            }
            default: {  // packed-looking noise (music, text, other schemes)
                for (std::size_t i = 0; i < length; ++i) out.push_back(static_cast<std::uint8_t>(random()));
                break;
            }
        }
    }

    static void SpriteTile(std::vector<std::uint8_t>& out, std::mt19937& random) {
        const int cx = static_cast<int>(random() % 8);
        const int cy = static_cast<int>(random() % 8);
        const int r = 2 + static_cast<int>(random() % 5);
        const int colours = 3 + static_cast<int>(random() % 10);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; x += 2) {
                const auto pixel = [&](int px) {
                    const int d = (px - cx) * (px - cx) + (y - cy) * (y - cy);
                    return d <= r * r ? 1 + (d * colours / (r * r + 1)) % 15 : 0;
                };
                out.push_back(static_cast<std::uint8_t>(pixel(x) | pixel(x + 1) << 4));
            }
        }
    }
};

}  // namespace glyphwright::test
