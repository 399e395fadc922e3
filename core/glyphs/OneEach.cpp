#include "core/glyphs/OneEach.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "core/glyphs/LookAlikes.h"

namespace glyphwright {

namespace {

// What keeping a character another glyph also holds costs a glyph, against taking an alternative
// that lies this much farther than its best guess (relative to the best guess's distance).
constexpr double kSharedCost = 0.75;
constexpr double kBlocked = 1e9;
// Glyphs are settled this many at a time, in the order they come: a page of a font.
constexpr std::size_t kSpan = 256;

std::uint64_t HashOf(const GlyphImage& glyph) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const std::uint8_t level : glyph.ink) hash = (hash ^ level) * 1099511628211ull;
    return hash;
}

// Compared level by level: GCC 12 warns falsely where vectors of bytes are compared whole.
bool SamePicture(const GlyphImage& a, const GlyphImage& b) {
    if (a.width != b.width || a.height != b.height || a.ink.size() != b.ink.size()) return false;
    for (std::size_t k = 0; k < a.ink.size(); ++k) {
        if (a.ink[k] != b.ink[k]) return false;
    }
    return true;
}

// The assignment of rows to columns (rows <= columns) with the least total cost: the Hungarian
// method with potentials, O(rows^2 * columns). cost is rows x columns, row by row.
std::vector<std::size_t> Assign(const std::vector<double>& cost, std::size_t rows,
                                std::size_t columns) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> u(rows + 1, 0), v(columns + 1, 0);
    std::vector<std::size_t> p(columns + 1, 0), way(columns + 1, 0);
    for (std::size_t i = 1; i <= rows; ++i) {
        p[0] = i;
        std::size_t j0 = 0;
        std::vector<double> minv(columns + 1, inf);
        std::vector<bool> used(columns + 1, false);
        do {
            used[j0] = true;
            const std::size_t i0 = p[j0];
            double delta = inf;
            std::size_t j1 = 0;
            for (std::size_t j = 1; j <= columns; ++j) {
                if (used[j]) continue;
                const double cur = cost[(i0 - 1) * columns + (j - 1)] - u[i0] - v[j];
                if (cur < minv[j]) {
                    minv[j] = cur;
                    way[j] = j0;
                }
                if (minv[j] < delta) {
                    delta = minv[j];
                    j1 = j;
                }
            }
            for (std::size_t j = 0; j <= columns; ++j) {
                if (used[j]) {
                    u[p[j]] += delta;
                    v[j] -= delta;
                } else {
                    minv[j] -= delta;
                }
            }
            j0 = j1;
        } while (p[j0] != 0);
        do {
            const std::size_t j1 = way[j0];
            p[j0] = p[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<std::size_t> column(rows, 0);
    for (std::size_t j = 1; j <= columns; ++j) {
        if (p[j] != 0) column[p[j] - 1] = j - 1;
    }
    return column;
}

void SettleSpan(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings,
                std::size_t from, std::size_t to) {
    // One row for each different picture among the glyphs read.
    std::unordered_multimap<std::uint64_t, std::size_t> rowsOf;  // by the picture's hash
    std::vector<std::size_t> first;  // per row, the first glyph with its picture
    std::vector<std::size_t> row(glyphs.size(), 0);
    for (std::size_t i = from; i < to; ++i) {
        if (readings[i].ranked.empty()) continue;
        const std::uint64_t hash = HashOf(glyphs[i]);
        const auto [begin, end] = rowsOf.equal_range(hash);
        const auto same = std::find_if(begin, end, [&](const auto& entry) {
            return SamePicture(glyphs[first[entry.second]], glyphs[i]);
        });
        if (same != end) {
            row[i] = same->second;
        } else {
            row[i] = first.size();
            rowsOf.emplace(hash, first.size());
            first.push_back(i);
        }
    }
    const std::size_t rows = first.size();
    if (rows < 2) return;
    // A row's choices: its guesses, less those that are the width twin of a closer guess. The
    // twins are one shape; which of the two a glyph is, only where it stands tells, so taking
    // the twin is no way out of sharing a character.
    auto choices = [&](std::size_t r) {
        std::vector<const Guess*> out;
        const std::vector<Guess>& ranked = readings[first[r]].ranked;
        for (const Guess& g : ranked) {
            if (!TwinOfACloserGuess(ranked, g.character)) out.push_back(&g);
        }
        return out;
    };
    // One column for each character guessed, then one for each row: keeping its best guess
    // whoever else holds it.
    std::unordered_map<char32_t, std::size_t> columnOf;
    std::vector<char32_t> characters;
    for (std::size_t r = 0; r < rows; ++r) {
        for (const Guess* g : choices(r)) {
            if (columnOf.emplace(g->character, characters.size()).second)
                characters.push_back(g->character);
        }
    }
    const std::size_t columns = characters.size() + rows;
    std::vector<double> cost(rows * columns, kBlocked);
    for (std::size_t r = 0; r < rows; ++r) {
        const GlyphSuggestion& s = readings[first[r]];
        const double best = std::max(1e-6f, s.ranked.front().distance);
        for (const Guess* g : choices(r))
            cost[r * columns + columnOf[g->character]] = (g->distance - best) / best;
        cost[r * columns + characters.size() + r] = kSharedCost;
    }
    const std::vector<std::size_t> assigned = Assign(cost, rows, columns);
    for (std::size_t i = from; i < to; ++i) {
        if (readings[i].ranked.empty()) continue;
        const std::size_t c = assigned[row[i]];
        if (c < characters.size()) readings[i].MakeBest(characters[c]);
    }
}

}  // namespace

void SettleOneEach(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings) {
    for (std::size_t from = 0; from < glyphs.size() && from < readings.size(); from += kSpan)
        SettleSpan(glyphs, readings, from, std::min({from + kSpan, glyphs.size(), readings.size()}));
}

}  // namespace glyphwright
