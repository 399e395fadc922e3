#include "core/glyphs/FontBlocks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "core/glyphs/LookAlikes.h"
#include "core/glyphs/TieBreak.h"

namespace glyphwright {

namespace {

// A script the page holds: at least two sure readings, and this share of them.
constexpr int kPresentReadings = 2;
constexpr float kPresentShare = 0.03f;
// Fewer sure readings than this say nothing of the page.
constexpr int kPageReadings = 8;

}  // namespace

std::size_t ScriptOf(char32_t c) {
    if (c >= 0x3041 && c <= 0x309F) return 0;
    if (c >= 0x30A0 && c <= 0x30FF) return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) return 2;
    if (c < 0x80) return 3;
    if (c >= 0xFF01 && c <= 0xFF5E) return 4;
    if ((c >= 0x4E00 && c <= 0x9FFF) || c == 0x3005) return 5;
    return 6;
}

std::optional<PageScripts> ScriptsOfThePage(const std::vector<GlyphSuggestion>& readings) {
    PageScripts page;
    int total = 0;
    for (const GlyphSuggestion& r : readings) {
        if (r.ranked.empty() || r.confidence < kSureOfScript) continue;
        ++page.sure[ScriptOf(r.Best())];
        ++total;
    }
    if (total < kPageReadings) return std::nullopt;
    for (std::size_t script = 0; script < kScripts; ++script) {
        page.held[script] =
            page.sure[script] >= kPresentReadings &&
            static_cast<float>(page.sure[script]) >= kPresentShare * static_cast<float>(total);
    }
    return page;
}

namespace {

// A neighbour read at least this surely says which block it stands in.
constexpr float kSure = 0.3f;
constexpr std::size_t kReach = 4;  // neighbours on each side
constexpr int kVoters = 4;         // sure neighbours needed
constexpr float kShare = 0.75f;    // of them in one block
constexpr int kSideVoters = 3;     // sure neighbours on one side that settle a width twin

constexpr std::size_t kBlocks = 3;

std::size_t BlockOf(char32_t c) {
    if (c < 0x80) return 0;                    // ASCII
    if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width kana
    return 2;                                  // the full-width rest
}

// A reading in a script none of the page's sure readings are in takes a close alternative of a
// script they are in, however sure it is: on a page of kana, ょ read as ∂ becomes ょ. One with
// no such alternative close behind stays.
void SettleScriptsOfThePage(std::vector<GlyphSuggestion>& readings) {
    const auto page = ScriptsOfThePage(readings);
    if (!page) return;
    for (GlyphSuggestion& r : readings) {
        if (r.ranked.empty() || page->held[ScriptOf(r.Best())]) continue;
        r.TakeCloseAlternative([&](char32_t c) { return page->held[ScriptOf(c)]; });
    }
}

}  // namespace

void SettleFontBlocks(std::vector<GlyphSuggestion>& readings) {
    // The page's scripts first, so that a glyph moved into one of them is then settled by its
    // neighbours like the rest (° read on a page of kana becomes ゜, and among half-width kana
    // its twin ﾟ).
    SettleScriptsOfThePage(readings);

    // The neighbours' blocks as first read, so that one settled glyph does not move the next.
    constexpr std::size_t kUnsure = kBlocks;
    std::vector<std::size_t> block(readings.size(), kUnsure);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!readings[i].ranked.empty() && readings[i].confidence >= kSure)
            block[i] = BlockOf(readings[i].Best());
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        GlyphSuggestion& r = readings[i];
        if (r.ranked.empty()) continue;
        std::array<int, kBlocks> votes{};
        int counted = 0;
        const std::size_t from = i >= kReach ? i - kReach : 0;
        const std::size_t to = std::min(readings.size(), i + kReach + 1);
        for (std::size_t j = from; j < to; ++j) {
            if (j == i || block[j] == kUnsure) continue;
            ++votes[block[j]];
            ++counted;
        }
        if (counted < kVoters) continue;
        const auto most =
            static_cast<std::size_t>(std::max_element(votes.begin(), votes.end()) - votes.begin());
        if (static_cast<float>(votes[most]) < kShare * static_cast<float>(counted) ||
            BlockOf(r.Best()) == most) {
            continue;
        }
        // The best guess's twin in the other width is the same shape: where the sure neighbours
        // on one side all stand in the twin's block, so does the glyph, however sure the
        // reading. (One side, as the glyph may be the first or last of its block.)
        const char32_t twin = WidthTwin(r.Best());
        auto sideAgrees = [&](std::size_t begin, std::size_t end) {
            int in = 0;
            for (std::size_t j = begin; j < end; ++j) {
                if (block[j] == kUnsure) continue;
                if (block[j] != BlockOf(twin)) return false;
                ++in;
            }
            return in >= kSideVoters;
        };
        if (twin != 0 && BlockOf(twin) == most && (sideAgrees(from, i) || sideAgrees(i + 1, to)) &&
            std::any_of(r.ranked.begin(), r.ranked.end(),
                        [&](const Guess& g) { return g.character == twin; })) {
            r.MakeBest(twin);
            continue;
        }
        // Otherwise the glyph takes an alternative of the neighbours' block that came close,
        // however sure the reading: a close second in the block all around is likelier than a
        // lone glyph of another block. Only the twin a sure reading keeps, unless the rule
        // above gives it: where it stands in the cell tells the two apart, not the neighbours.
        const bool sure = r.confidence >= kSure;
        r.TakeCloseAlternative(
            [&](char32_t c) { return BlockOf(c) == most && !(sure && c == twin); });
    }

    // The same for the two kana scripts, which a font keeps apart as well: among hiragana, a
    // near-tie of hiragana takes the place of a katakana best guess (へ over ヘ), as the game's
    // text would say.
    std::u32string order(readings.size(), U'\0');
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!readings[i].ranked.empty() && readings[i].confidence >= kSure)
            order[i] = readings[i].Best();
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        BreakTie(readings[i], ScriptAround(order, i));
    }
}

}  // namespace glyphwright
