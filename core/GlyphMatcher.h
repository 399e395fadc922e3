#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "GlyphFeatures.h"
#include "GlyphImage.h"
#include "GlyphSuggestion.h"
#include "ReferenceFont.h"

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

    // Candidates the font cannot draw are left out. ASCII is drawn from `fixedWidth` as well,
    // when given: game fonts draw ASCII in fixed-width cells, with the narrow O and the tall
    // capitals of a fixed-width face rather than a CJK face's proportional Latin.
    GlyphMatcher(ReferenceFont font, const std::vector<char32_t>& candidates,
                 std::optional<ReferenceFont> fixedWidth = std::nullopt);

    [[nodiscard]] GlyphSuggestion Suggest(const GlyphImage& glyph);

    // The glyphs of one font read together: each as Suggest() reads it, then what only the font
    // as a whole shows is settled (which glyphs carry a voicing mark, and which mark).
    [[nodiscard]] std::vector<GlyphSuggestion> SuggestAll(const std::vector<GlyphImage>& glyphs);
    // The second half of SuggestAll, for readings made one by one (to show them as they come):
    // `readings[i]` is Suggest(glyphs[i]).
    void Settle(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings);

    // Draws the references for glyphs of this size now, so the first Suggest() need not.
    void Prepare(int width, int height);

    [[nodiscard]] const std::vector<char32_t>& Candidates() const { return candidates_; }
    [[nodiscard]] const ReferenceFont& Font() const { return font_; }

private:
    // The groups of characters a font sizes and places alike (ASCII, full-width Latin, kana,
    // half-width kana, the rest), each drawn from the main face or the fixed-width one.
    static constexpr std::size_t kKinds = 10;
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
    };
    const References& ReferencesFor(int width, int height);
    // Suggest(), with the glyph's box first moved by `placement`, among the candidates `allowed`
    // marks (all where null).
    GlyphSuggestion Read(const GlyphImage& glyph, const Placement* placement,
                         const std::vector<std::uint8_t>* allowed = nullptr);
    // Learns from the sure readings where this font sets each kind of glyph against the
    // reference, and reads the glyphs again with that taken into account: a game font sets its
    // ASCII lower or narrower than the reference does, and all of it alike.
    // Returns the placing, where the sure readings were enough to learn it.
    std::optional<Placement> SettlePlacement(const std::vector<GlyphImage>& glyphs,
                                             std::vector<GlyphSuggestion>& readings);
    // A glyph still read in a script the page does not hold, unsure or the page's only sure
    // reading in that script, is read again among the characters of the scripts it holds: on a
    // page of kana, a half-width ﾙ read as i, or ﾕ read as 1. Returns the glyphs read again.
    std::vector<std::size_t> SettleInThePagesScripts(const std::vector<GlyphImage>& glyphs,
                                                     std::vector<GlyphSuggestion>& readings,
                                                     const Placement* placement);
    // Where a glyph's best guess and an alternative are one letter in two sizes, the one whose
    // size fits this font's size for that script.
    void SettleSizes(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings);

    ReferenceFont font_;
    std::optional<ReferenceFont> fixedWidth_;
    std::vector<char32_t> candidates_;
    std::unordered_map<char32_t, std::uint32_t> index_;  // each candidate's place
    std::map<std::pair<int, int>, References> cache_;
    std::vector<float> best_;                 // per candidate, reused between glyphs
    std::vector<std::uint32_t> bestDrawing_;  // per candidate, the closest of its drawings
};

}  // namespace glyphwright
