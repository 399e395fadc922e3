#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/glyphs/FontOrder.h"
#include "core/glyphs/GlyphFeatures.h"
#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/table/Result.h"

namespace glyphwright {

// Reads glyphs: ranks the candidate characters for each by comparing its pixels with the same
// characters drawn from a reference font at the glyph's size. The references for a size are drawn
// the first time a glyph of that size comes, and kept.
class GlyphMatcher {
public:
    static constexpr std::size_t kRanked = 5;  // the best guess and four alternatives

    // The faces the matcher draws from unless the user picks others.
    static constexpr const char* kDefaultFamily = "Noto Sans CJK JP";
    static constexpr const char* kDefaultFixedWidthFamily = "DejaVu Sans Mono";
    // X's smallest fixed font (Debian's xfonts-base): ASCII in letters three pixels wide and five
    // high, as 8-pixel game fonts draw it. Fontconfig hides bitmap fonts, so it is found by file.
    static constexpr const char* kDefaultPixelFace = "/usr/share/fonts/X11/misc/4x6.pcf.gz";

    // Candidates the font cannot draw are left out. ASCII is drawn from `fixedWidth` as well,
    // when given: game fonts draw ASCII in fixed-width cells, with the narrow O and the tall
    // capitals of a fixed-width face rather than a CJK face's proportional Latin. Glyphs of small
    // fonts are also compared with ASCII in whole pixels, on a page that reads mostly as ASCII:
    // that of `pixelFaces`, bitmap faces drawn in their own pixels (and a row taller), and
    // `fixedWidth` fitted to the glyph's grid. An outline drawn large and softened keeps little of
    // the shapes a 3-pixel-wide capital takes.
    GlyphMatcher(ReferenceFont font, const std::vector<char32_t>& candidates,
                 std::optional<ReferenceFont> fixedWidth = std::nullopt,
                 std::vector<ReferenceFont> pixelFaces = {});

    // A matcher drawing from `family`, with the default fixed-width and pixel faces where they
    // are installed. Fails where `family` is not.
    [[nodiscard]] static Result<GlyphMatcher, FontUnavailable> Open(
        std::string_view family, const std::vector<char32_t>& candidates);

    [[nodiscard]] GlyphSuggestion Suggest(const GlyphImage& glyph);

    // The glyphs of one font read together: each as Suggest() reads it, then what only the font
    // as a whole shows is settled (which glyphs carry a voicing mark, and which mark).
    [[nodiscard]] std::vector<GlyphSuggestion> SuggestAll(const std::vector<GlyphImage>& glyphs);
    // The second half of SuggestAll, for readings made one by one (to show them as they come):
    // `readings[i]` is Suggest(glyphs[i]).
    void Settle(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings);

    // Whether Settle() reads the font as a sequence too, each glyph weighed with how well it
    // continues the runs of the font's order around it (on unless turned off).
    void ReadInFontOrder(bool on) { readInOrder_ = on; }

    // Draws the references for glyphs of this size now, so the first Suggest() need not.
    void Prepare(int width, int height);

    [[nodiscard]] const std::vector<char32_t>& Candidates() const { return candidates_; }
    [[nodiscard]] const ReferenceFont& Font() const { return font_; }

private:
    // The groups of characters a font sizes and places alike (ASCII, full-width Latin, kana,
    // half-width kana, the rest, punctuation and symbols), each drawn from the main face, from the
    // fixed-width one, or in whole pixels (the pixel faces, the fixed-width face fitted to the
    // glyph's grid).
    static constexpr std::size_t kSources = 3;
    static constexpr std::size_t kPixelSource = 2;
    static constexpr std::size_t kKinds = 6 * kSources;
    // How a font places its glyphs against the reference, per kind of drawing: what to take off
    // the glyph's box (size, top, bottom, centre) before it is compared with the drawing's.
    using Placement = std::array<std::array<float, GlyphFeatures::kPlaceSize>, kKinds>;

    // Every candidate drawn a few ways (smooth and in full pixels), features side by side.
    struct References {
        std::vector<float> features;       // kSize floats per drawing
        std::vector<float> fine;           // kFineSize floats per drawing
        std::vector<std::uint32_t> owner;  // the candidate each drawing shows
        std::vector<std::uint8_t> kind;    // and its kind
        std::vector<float> boxWidth;       // per candidate, its ink's extent in the glyph's
        std::vector<float> boxHeight;      // pixels (0 where the font draws nothing)
        // Per candidate, where its drawings begin (they come candidate by candidate); one more
        // at the end.
        std::vector<std::uint32_t> firstDrawing;
    };
    const References& ReferencesFor(int width, int height);
    // Suggest(), with the glyph's box first moved by `placement`, among the candidates `allowed`
    // marks (all where null), the drawings in whole pixels among the references where
    // `pixelDrawings`.
    GlyphSuggestion Read(const GlyphImage& glyph, const Placement* placement,
                         const std::vector<std::uint8_t>* allowed = nullptr,
                         bool pixelDrawings = false);
    // Learns from the sure readings where this font sets each kind of glyph against the
    // reference, and reads the glyphs again with that taken into account: a game font sets its
    // ASCII lower or narrower than the reference does, and all of it alike.
    // Returns the placing, where the sure readings were enough to learn it.
    // `pixelDrawings`: the glyphs are read among the drawings in whole pixels too.
    std::optional<Placement> SettlePlacement(const std::vector<GlyphImage>& glyphs,
                                             std::vector<GlyphSuggestion>& readings,
                                             bool pixelDrawings);
    // On a page of a small font whose sure readings are mostly ASCII, the glyphs are read again
    // with the drawings in whole pixels among the references; returns whether they were. (On a
    // page of kana they stay out: a half-width kana three pixels wide would read as one of their
    // letters.)
    bool ReadAmongPixelDrawings(const std::vector<GlyphImage>& glyphs,
                                std::vector<GlyphSuggestion>& readings);
    // A glyph still read in a script the page does not hold, unsure or the page's only sure
    // reading in that script, is read again among the characters of the scripts it holds: on a
    // page of kana, a half-width ﾙ read as i, or ﾕ read as 1. Returns the glyphs read again.
    std::vector<std::size_t> SettleInThePagesScripts(const std::vector<GlyphImage>& glyphs,
                                                     std::vector<GlyphSuggestion>& readings,
                                                     const Placement* placement,
                                                     bool pixelDrawings);
    // How far candidate `c` lies from the glyph, as Read() measures it; infinity where it has no
    // drawing.
    float DistanceTo(const GlyphFeatures& features, std::uint32_t c, const Placement* placement,
                     bool pixelDrawings, const References& refs) const;
    // Reads the glyphs as a sequence in the font's orders (SettleFontOrder).
    void SettleOrder(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings,
                     const Placement* placement, bool pixelDrawings);
    // Where a glyph's best guess and an alternative are one letter in two sizes, the one whose
    // size fits this font's size for that script.
    void SettleSizes(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings);

    ReferenceFont font_;
    std::optional<ReferenceFont> fixedWidth_;
    std::vector<ReferenceFont> pixelFaces_;
    std::vector<char32_t> candidates_;
    std::unordered_map<char32_t, std::uint32_t> index_;  // each candidate's place
    FontOrder order_;
    bool readInOrder_ = true;
    std::map<std::pair<int, int>, References> cache_;
    std::vector<float> best_;                 // per candidate, reused between glyphs
    std::vector<std::uint32_t> bestDrawing_;  // per candidate, the closest of its drawings
};

}  // namespace glyphwright
