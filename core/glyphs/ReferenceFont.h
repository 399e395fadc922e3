#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/glyphs/GlyphImage.h"
#include "core/table/Result.h"

namespace glyphwright {

// Why a font could not be opened: the family the user asked for, and what stood in the way.
struct FontUnavailable {
    std::string family;
    std::string reason;
};

// How a character is drawn: with grey edges as an outline font shows on screen, or in full pixels
// only, hinted to the grid, as a bitmap font is.
enum class Rendering { Smooth, Pixels };

// One installed font face, found by family through fontconfig and drawn with FreeType, without a
// toolkit. Characters are placed in the cell by the font's own metrics (baseline and advance), so
// a small kana stays small and low as the font has it.
class ReferenceFont {
public:
    // The installed face of `family` (e.g. "Noto Sans CJK JP"). Fails when fontconfig has no face
    // of that family; fontconfig would otherwise hand out some other font.
    [[nodiscard]] static Result<ReferenceFont, FontUnavailable> Open(std::string_view family);
    // The face in this file, whatever fontconfig thinks of it (it hides bitmap fonts).
    [[nodiscard]] static Result<ReferenceFont, FontUnavailable> OpenFile(const std::string& path);

    ReferenceFont(ReferenceFont&&) noexcept;
    ReferenceFont& operator=(ReferenceFont&&) noexcept;
    ~ReferenceFont();

    [[nodiscard]] const std::string& Family() const;
    [[nodiscard]] bool Has(char32_t character) const;

    // The character drawn into a width x height cell: the em is the cell's height, the baseline
    // where the font's ascent puts it, the advance starting at the left edge.
    [[nodiscard]] GlyphImage Draw(char32_t character, int width, int height,
                                  Rendering rendering) const;

    // For a bitmap face: the character in the face's own pixels, in a width x height cell, the
    // face's line set in the middle of the cell. Blank where the face has no such character or is
    // not a bitmap face.
    [[nodiscard]] GlyphImage DrawOwnPixels(char32_t character, int width, int height) const;

private:
    struct Face;
    explicit ReferenceFont(std::unique_ptr<Face> face);
    // The face at `index` in `file`, called `family`; where that is empty, by the name the file
    // gives it (or the file's own).
    static Result<ReferenceFont, FontUnavailable> Load(std::string family, const std::string& file,
                                                       long index);
    std::unique_ptr<Face> face_;
};

}  // namespace glyphwright
