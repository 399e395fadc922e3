#include "core/glyphs/VoicingMarks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <utility>

#include "core/glyphs/VoicedKana.h"

namespace glyphwright {

namespace {

constexpr int kInkLevel = 128;  // a pixel at or above this is ink
constexpr float kSure = 0.5f;   // a reading this sure holds its letter

// A glyph's ink as a set of pixels.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<std::uint64_t> bits;
    int count = 0;
};

Ink InkOf(const GlyphImage& glyph) {
    Ink ink{glyph.width, glyph.height, {}, 0};
    const auto n = static_cast<std::size_t>(glyph.width * glyph.height);
    ink.bits.assign((n + 63) / 64, 0);
    for (std::size_t i = 0; i < n && i < glyph.ink.size(); ++i) {
        if (glyph.ink[i] >= kInkLevel) {
            ink.bits[i / 64] |= std::uint64_t{1} << (i % 64);
            ++ink.count;
        }
    }
    return ink;
}

// The mark: the pixels `marked` has beyond `plain`, moved to their box's top left corner, so that
// the same mark on two letters compares equal.
using Mark = std::vector<std::pair<int, int>>;

// Whether `marked` is `plain` with a mark added in the top right corner; the mark if so.
bool AddsMark(const Ink& plain, const Ink& marked, Mark& mark) {
    if (plain.width != marked.width || plain.height != marked.height || plain.count == 0 ||
        marked.count <= plain.count) {
        return false;
    }
    for (std::size_t w = 0; w < plain.bits.size(); ++w) {
        if ((plain.bits[w] & ~marked.bits[w]) != 0) return false;
    }
    // A mark is small beside the letter.
    if (3 * (marked.count - plain.count) > plain.count) return false;
    mark.clear();
    int left = marked.width, top = marked.height;
    long sumX = 0, sumY = 0;
    for (std::size_t w = 0; w < plain.bits.size(); ++w) {
        std::uint64_t extra = marked.bits[w] & ~plain.bits[w];
        while (extra != 0) {
            const int bit = std::countr_zero(extra);
            extra &= extra - 1;
            const int i = static_cast<int>(w * 64) + bit;
            const int x = i % marked.width;
            const int y = i / marked.width;
            mark.emplace_back(x, y);
            left = std::min(left, x);
            top = std::min(top, y);
            sumX += x;
            sumY += y;
        }
    }
    const auto n = static_cast<long>(mark.size());
    // In the top right quarter of the cell, where the mark goes.
    if (2 * sumX + n < n * marked.width || 2 * sumY + n > n * marked.height) return false;
    for (auto& [x, y] : mark) {
        x -= left;
        y -= top;
    }
    std::sort(mark.begin(), mark.end());
    return true;
}

// Where the character stands among the reading's guesses; past the end when it is not there.
std::size_t RankOf(const GlyphSuggestion& reading, char32_t c) {
    for (std::size_t i = 0; i < reading.ranked.size(); ++i) {
        if (reading.ranked[i].character == c) return i;
    }
    return reading.ranked.size() + 1;
}

struct Pair {
    std::size_t plain;
    std::size_t marked;
    Mark mark;
};

}  // namespace

void SettleVoicingMarks(const std::vector<GlyphImage>& glyphs,
                        std::vector<GlyphSuggestion>& readings) {
    // Only glyphs read as a kana with voiced forms take part.
    std::vector<std::size_t> kana;
    std::vector<Ink> inks(glyphs.size());
    for (std::size_t i = 0; i < glyphs.size() && i < readings.size(); ++i) {
        const bool voicing =
            std::any_of(readings[i].ranked.begin(), readings[i].ranked.end(),
                        [](const Guess& g) { return !VoicingForms(g.character).empty(); });
        if (!voicing) continue;
        kana.push_back(i);
        inks[i] = InkOf(glyphs[i]);
    }
    // Each marked glyph with the plain glyph it adds its mark to: the fullest such glyph, as the
    // mark is what is left.
    std::vector<Pair> pairs;
    Mark mark;
    for (std::size_t j : kana) {
        std::size_t found = glyphs.size();
        Mark best;
        for (std::size_t i : kana) {
            if (i == j || !AddsMark(inks[i], inks[j], mark)) continue;
            if (found == glyphs.size() || inks[i].count > inks[found].count) {
                found = i;
                best = mark;
            }
        }
        if (found != glyphs.size()) pairs.push_back({found, j, std::move(best)});
    }
    if (pairs.empty()) return;

    // Each plain glyph's letter: the one its own reading and its marked glyphs' readings agree on
    // best, each letter to one glyph. A marked glyph counts for a letter where it reads as the
    // letter's voiced form or as the letter itself: at 8 pixels the mark is a dot or two, and
    // the glyph reads as its letter. The voiced form decides between letters that tie.
    std::map<std::size_t, std::vector<const Pair*>> byPlain;
    for (const Pair& p : pairs) byPlain[p.plain].push_back(&p);
    std::map<std::size_t, std::vector<char32_t>> formsOf;  // per plain glyph
    struct Choice {
        std::size_t score;        // the sum of the ranks, lower is better
        std::size_t voicedScore;  // the same with the marked glyphs as their voiced forms only
        std::size_t plain;
        char32_t letter;
    };
    std::vector<Choice> choices;
    for (const auto& [plain, its] : byPlain) {
        std::vector<char32_t> letters;
        auto consider = [&](const GlyphSuggestion& r) {
            for (const Guess& g : r.ranked) {
                const auto forms = VoicingForms(g.character);
                if (!forms.empty() &&
                    std::find(letters.begin(), letters.end(), forms.front()) == letters.end()) {
                    letters.push_back(forms.front());
                }
            }
        };
        consider(readings[plain]);
        for (const Pair* p : its) consider(readings[p->marked]);
        for (char32_t letter : letters) {
            const auto forms = VoicingForms(letter);
            std::size_t score = RankOf(readings[plain], forms.front());
            std::size_t voicedScore = score;
            for (const Pair* p : its) {
                std::size_t rank = readings[p->marked].ranked.size() + 1;
                for (std::size_t k = 1; k < forms.size(); ++k)
                    rank = std::min(rank, RankOf(readings[p->marked], forms[k]));
                voicedScore += rank;
                score += std::min(rank, RankOf(readings[p->marked], forms.front()));
            }
            choices.push_back({score, voicedScore, plain, letter});
        }
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Choice& a, const Choice& b) {
                         return a.score != b.score ? a.score < b.score
                                                   : a.voicedScore < b.voicedScore;
                     });
    // The best-agreeing letters go first. A letter that a glyph outside the pairs surely reads
    // as is that glyph's: a font draws each letter once.
    std::vector<char32_t> taken;
    std::vector<bool> paired(glyphs.size(), false);
    for (const Pair& p : pairs) paired[p.plain] = paired[p.marked] = true;
    for (std::size_t i : kana) {
        if (paired[i] || readings[i].ranked.empty() || readings[i].confidence < kSure) continue;
        const auto forms = VoicingForms(readings[i].Best());
        if (!forms.empty() && forms.front() == readings[i].Best()) taken.push_back(forms.front());
    }
    for (const Choice& c : choices) {
        if (formsOf.contains(c.plain) ||
            std::find(taken.begin(), taken.end(), c.letter) != taken.end()) {
            continue;
        }
        formsOf[c.plain] = VoicingForms(c.letter);
        taken.push_back(c.letter);
    }

    // The voicing mark as the font draws it: the marks of the letters that have no semi-voiced
    // form, as more than one of them shows it (a mark seen once may be a misreading).
    std::map<Mark, int> votes;
    for (const Pair& p : pairs) {
        const auto f = formsOf.find(p.plain);
        if (f != formsOf.end() && f->second.size() == 2) votes[p.mark]++;
    }
    std::vector<Mark> voicing;
    for (const auto& [m, n] : votes) {
        if (n >= 2) voicing.push_back(m);
    }
    // A mark is the voicing mark where it is one of those or part of one (a stroke of the letter
    // may cover a dot of it); else, in the h-row, it is the semi-voicing ring.
    auto isVoicing = [&](const Mark& m) {
        return std::any_of(voicing.begin(), voicing.end(), [&](const Mark& v) {
            return std::includes(v.begin(), v.end(), m.begin(), m.end());
        });
    };

    for (const Pair& p : pairs) {
        const auto f = formsOf.find(p.plain);
        if (f == formsOf.end()) continue;
        const std::vector<char32_t>& forms = f->second;
        readings[p.plain].MakeBest(forms.front());
        char32_t form = forms[1];
        if (forms.size() == 3) {
            if (!voicing.empty()) {
                form = isVoicing(p.mark) ? forms[1] : forms[2];
            } else {
                // A mark of its own: the glyph's own reading says which.
                form = RankOf(readings[p.marked], forms[2]) < RankOf(readings[p.marked], forms[1])
                           ? forms[2]
                           : forms[1];
            }
        }
        readings[p.marked].MakeBest(form);
    }

    // A glyph outside the pairs read as a form a pair now holds takes its closest guess that no
    // pair holds, if one came close: a ば whose mark moved a pixel of the letter, so that it is
    // no pair, read as the ほ of the pair ほ/ぼ.
    std::vector<char32_t> given;
    for (const Pair& p : pairs) {
        if (!formsOf.contains(p.plain)) continue;
        given.push_back(readings[p.plain].Best());
        given.push_back(readings[p.marked].Best());
    }
    for (std::size_t i : kana) {
        GlyphSuggestion& r = readings[i];
        if (paired[i] || r.ranked.empty() ||
            std::find(given.begin(), given.end(), r.Best()) == given.end()) {
            continue;
        }
        r.TakeCloseAlternative(
            [&](char32_t c) { return std::find(given.begin(), given.end(), c) == given.end(); });
    }
}

}  // namespace glyphwright
