#include "core/glyphs/ReferenceFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace glyphwright {

struct ReferenceFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string family;
    mutable int sizedFor = 0;  // the pixel height the face is set to

    ~Face() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

namespace {

bool SameFamily(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

struct Located {
    std::string file;
    int index = 0;
};

// The file and face index fontconfig holds for the family, if it has a face of that very family.
std::optional<Located> Locate(std::string_view family) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return std::nullopt;
    const std::string name(family);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::optional<Located> found;
    if (match != nullptr) {
        bool sameFamily = false;
        FcChar8* value = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
            if (SameFamily(reinterpret_cast<const char*>(value), family)) sameFamily = true;
        }
        FcChar8* file = nullptr;
        int index = 0;
        if (sameFamily && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            (void)FcPatternGetInteger(match, FC_INDEX, 0, &index);
            found = Located{reinterpret_cast<const char*>(file), index};
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

// A width x height cell without ink (none at all where either is not positive).
GlyphImage BlankCell(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    return GlyphImage{width, height,
                      std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0)};
}

// Each pixel of a bitmap FreeType rendered, in full pixels or in greys, handed to `put` as
// (x, y, level from 0 to 255).
template <class Put>
void ForEachLevel(const FT_Bitmap& bitmap, Put put) {
    for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < static_cast<int>(bitmap.width); ++x) {
            std::uint8_t level = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                level = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                level = static_cast<std::uint8_t>(row[x] * 255 / std::max(1, bitmap.num_grays - 1));
            }
            put(x, y, level);
        }
    }
}

}  // namespace

Result<ReferenceFont, FontUnavailable> ReferenceFont::Open(std::string_view family) {
    const auto located = Locate(family);
    if (!located) return FontUnavailable{std::string(family), "no such font is installed"};
    return Load(std::string(family), located->file, located->index);
}

Result<ReferenceFont, FontUnavailable> ReferenceFont::OpenFile(const std::string& path) {
    return Load({}, path, 0);
}

Result<ReferenceFont, FontUnavailable> ReferenceFont::Load(std::string family,
                                                           const std::string& file, long index) {
    const std::string name = family.empty() ? file : family;
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->library) != 0)
        return FontUnavailable{name, "FreeType could not start"};
    if (FT_New_Face(face->library, file.c_str(), index, &face->face) != 0)
        return FontUnavailable{name, "FreeType could not read " + file};
    if (FT_Select_Charmap(face->face, FT_ENCODING_UNICODE) != 0)
        return FontUnavailable{name, "the font has no Unicode character map"};
    if (family.empty() && face->face->family_name != nullptr) family = face->face->family_name;
    face->family = family.empty() ? file : std::move(family);
    return ReferenceFont(std::move(face));
}

ReferenceFont::ReferenceFont(std::unique_ptr<Face> face) : face_(std::move(face)) {}
ReferenceFont::ReferenceFont(ReferenceFont&&) noexcept = default;
ReferenceFont& ReferenceFont::operator=(ReferenceFont&&) noexcept = default;
ReferenceFont::~ReferenceFont() = default;

const std::string& ReferenceFont::Family() const {
    return face_->family;
}

bool ReferenceFont::Has(char32_t character) const {
    return FT_Get_Char_Index(face_->face, character) != 0;
}

GlyphImage ReferenceFont::Draw(char32_t character, int width, int height,
                               Rendering rendering) const {
    GlyphImage image = BlankCell(width, height);
    FT_Face face = face_->face;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0 || width <= 0 || height <= 0) return image;

    // The font's own vertical extent: the typographic ascent and descent where the font states
    // them (CJK faces put their em box there), else the line metrics. That extent fills the cell.
    double ascent = face->ascender;
    double descent = -face->descender;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 != nullptr && os2->sTypoAscender - os2->sTypoDescender > 0) {
        ascent = os2->sTypoAscender;
        descent = -os2->sTypoDescender;
    }
    const double extent = std::max(1.0, ascent + descent);
    const double units = face->units_per_EM > 0 ? face->units_per_EM : extent;
    const int pixelSize = std::max(1, static_cast<int>(std::lround(height * units / extent)));
    if (face_->sizedFor != pixelSize) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return image;
        face_->sizedFor = pixelSize;
    }
    const int baseline = static_cast<int>(std::lround(height * ascent / extent));

    const FT_Int32 load = rendering == Rendering::Pixels ? (FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)
                                                         : (FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT);
    if (FT_Load_Glyph(face, index, load) != 0) return image;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) {
        if (FT_Render_Glyph(slot, rendering == Rendering::Pixels ? FT_RENDER_MODE_MONO
                                                                 : FT_RENDER_MODE_LIGHT) != 0) {
            return image;
        }
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    const int left = slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    ForEachLevel(bitmap, [&](int x, int y, std::uint8_t level) {
        const int cx = left + x;
        const int cy = top + y;
        if (cx >= 0 && cx < width && cy >= 0 && cy < height)
            image.ink[static_cast<std::size_t>(cy * width + cx)] = level;
    });
    return image;
}

GlyphImage ReferenceFont::DrawOwnPixels(char32_t character, int width, int height) const {
    GlyphImage image = BlankCell(width, height);
    FT_Face face = face_->face;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0 || image.ink.empty() || face->num_fixed_sizes < 1) return image;
    if (face_->sizedFor != -1) {
        if (FT_Select_Size(face, 0) != 0) return image;
        face_->sizedFor = -1;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return image;
    const FT_GlyphSlot slot = face->glyph;
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int line = face->available_sizes[0].height;
    const int baseline = std::max(0, (height - line) / 2) + ascent;
    const int left = slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    ForEachLevel(slot->bitmap, [&](int x, int y, std::uint8_t level) {
        const int cx = left + x;
        const int cy = top + y;
        if (level >= 128 && cx >= 0 && cx < width && cy >= 0 && cy < height)
            image.ink[static_cast<std::size_t>(cy * width + cx)] = 255;
    });
    return image;
}

}  // namespace glyphwright
