#pragma once

#include <string>
#include <vector>

#include "core/fontfind/FontFinder.h"
#include "support/FontStandIn.h"

namespace glyphwright::test {

// Whether a candidate shows the stand-in's font: the same compression and format, and for a raw
// font an offset on one of its first glyphs (a blank first glyph is no part of what the finder
// sees), for a packed one the stream's offset.
inline bool ShowsFont(const FontCandidate& candidate, const StandIn& standIn) {
    if (candidate.compression != standIn.compression || !(candidate.format == standIn.format)) {
        return false;
    }
    if (standIn.compression != Compression::None) return candidate.offset == standIn.offset;
    const std::uint64_t size = standIn.format.BytesPerGlyph();
    return candidate.offset >= standIn.offset && candidate.offset <= standIn.offset + 2 * size &&
           (candidate.offset - standIn.offset) % size == 0;
}

// The place of the font among the candidates, 1 for the first; 0 where it is not among them.
inline std::size_t PlaceOfFont(const std::vector<FontCandidate>& candidates,
                               const StandIn& standIn) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (ShowsFont(candidates[i], standIn)) return i + 1;
    }
    return 0;
}

// The stand-ins measured: every bit depth, 8x8 to 16x16, raw and in each compression, from faces
// the matcher does not use as its reference (Misaki, Unifont, X's fixed fonts).
inline std::vector<StandInPlan> StandInPlans(std::size_t fileSize, bool many) {
    const std::string misaki = "MisakiGothic";
    const std::string mincho = "MisakiMincho";
    const std::string unifont = "Unifont-JP";
    const std::string ja12 = "/usr/share/fonts/X11/misc/12x13ja.pcf.gz";
    const std::string fixed8x13 = "/usr/share/fonts/X11/misc/8x13.pcf.gz";
    std::vector<StandInPlan> plans = {
        {misaki, 8, 8, TileFormat::OneBpp, TileOrder::Across, Compression::None, false, fileSize, 1},
        {unifont, 16, 16, TileFormat::OneBpp, TileOrder::Down, Compression::None, false, fileSize, 2},
        {misaki, 8, 8, TileFormat::Nes2bpp, TileOrder::Across, Compression::None, false, fileSize, 3},
        {unifont, 16, 16, TileFormat::Gba4bpp, TileOrder::Across, Compression::Lz10, false, fileSize, 4},
        {ja12, 12, 12, TileFormat::Bitmap, TileOrder::Across, Compression::None, false, fileSize, 5},
        {mincho, 8, 8, TileFormat::Gb2bpp, TileOrder::Across, Compression::Lz11, true, fileSize, 6},
        {fixed8x13, 8, 16, TileFormat::Snes4bpp, TileOrder::Across, Compression::None, true, fileSize, 7},
        {misaki, 8, 8, TileFormat::EightBpp, TileOrder::Across, Compression::Rle, false, fileSize, 8},
    };
    if (!many) return plans;
    const std::vector<StandInPlan> more = {
        {unifont, 16, 16, TileFormat::OneBpp, TileOrder::Across, Compression::Huffman, false, fileSize, 9},
        {mincho, 8, 8, TileFormat::OneBpp, TileOrder::Across, Compression::Lz10, false, fileSize, 10},
        {unifont, 16, 16, TileFormat::Nes2bpp, TileOrder::Across, Compression::None, false, fileSize, 11},
        {misaki, 8, 8, TileFormat::Gba4bpp, TileOrder::Across, Compression::None, true, fileSize, 12},
        {unifont, 16, 16, TileFormat::Snes4bpp, TileOrder::Down, Compression::Lz11, false, fileSize, 13},
        {ja12, 12, 12, TileFormat::BitmapPacked, TileOrder::Across, Compression::None, false, fileSize, 14},
        {fixed8x13, 8, 16, TileFormat::OneBpp, TileOrder::Across, Compression::Rle, false, fileSize, 15},
        {misaki, 8, 8, TileFormat::Gba4bpp, TileOrder::Across, Compression::Huffman, false, fileSize, 16},
        {unifont, 16, 16, TileFormat::EightBpp, TileOrder::Across, Compression::None, false, fileSize, 17},
        {mincho, 8, 8, TileFormat::Snes4bpp, TileOrder::Across, Compression::None, false, fileSize, 18},
        {unifont, 8, 16, TileFormat::Gb2bpp, TileOrder::Across, Compression::None, true, fileSize, 19},
        {ja12, 12, 12, TileFormat::Bitmap, TileOrder::Across, Compression::Lz10, false, fileSize, 20},
        {misaki, 8, 8, TileFormat::Nes2bpp, TileOrder::Across, Compression::Huffman, true, fileSize, 21},
        {unifont, 16, 16, TileFormat::Gb2bpp, TileOrder::Down, Compression::None, false, fileSize, 22},
        {fixed8x13, 8, 16, TileFormat::Gba4bpp, TileOrder::Across, Compression::Lz10, false, fileSize, 23},
        {mincho, 8, 8, TileFormat::EightBpp, TileOrder::Across, Compression::None, false, fileSize, 24},
    };
    plans.insert(plans.end(), more.begin(), more.end());
    return plans;
}

}  // namespace glyphwright::test
