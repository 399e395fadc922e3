#include "core/fontfind/RunRefinement.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/fontfind/CellLook.h"
#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright::fontfind {

namespace {

constexpr std::size_t kSampleCells = 24;  // cells read to choose a run's phase

// The score of the run of `count` glyphs from `first`: its cells as RunStats weighs them, with
// what only neighbours show: glyphs differ from each other, and do not come in pairs that
// overlap (the two planes of one glyph read as two glyphs).
double RunScore(std::span<const std::uint8_t> bytes, const GlyphFormat& format, std::uint64_t first,
                std::uint64_t count) {
    const std::uint64_t size = format.BytesPerGlyph();
    const std::uint64_t step = std::max<std::uint64_t>(1, count / 256);
    RunStats stats;
    std::unordered_set<std::string> seen;
    int repeats = 0;
    int padded = 0;  // cells with padding bits set
    // By the parity of the pair's first cell: the planes of one glyph read as two cells overlap
    // in every other pair only.
    std::array<double, 2> overlap{};
    std::array<int, 2> pairs{};
    std::vector<std::uint8_t> previous;
    for (std::uint64_t i = 0; i < count; i += step) {
        const auto cellBytes = bytes.subspan(first + i * size, size);
        const GlyphImage image = DecodeGlyph(cellBytes, format);
        const Cell cell = Look(image);
        stats.Add(cell, format.Width(), format.Height());
        if (cell.blank) {
            previous.clear();
            continue;
        }
        if (!seen.insert(std::string(cellBytes.begin(), cellBytes.end())).second) ++repeats;
        if (!PaddingClear(cellBytes, format)) ++padded;
        if (step == 1 && !previous.empty()) {
            int both = 0;
            int either = 0;
            for (std::size_t p = 0; p < image.ink.size(); ++p) {
                both += (image.ink[p] != 0 && previous[p] != 0) ? 1 : 0;
                either += (image.ink[p] != 0 || previous[p] != 0) ? 1 : 0;
            }
            overlap[i % 2] += either == 0 ? 0 : static_cast<double>(both) / either;
            ++pairs[i % 2];
        }
        previous = image.ink;
    }
    const int inked = stats.Inked();
    if (inked < kMinGlyphs) return 0;
    const double blankShare = static_cast<double>(stats.Blank()) / (stats.Blank() + inked);
    const double blankScore = blankShare <= 0.2 ? 1 : std::max(0.2, 1 - (blankShare - 0.2) * 2);
    const double repeatScore = 1 - std::min(0.8, 2.0 * repeats / inked);
    const double paddingScore = padded * 10 <= inked ? 1 : 0.3;
    double meanOverlap = 0;
    for (std::size_t parity = 0; parity < 2; ++parity) {
        if (pairs[parity] > 0) meanOverlap = std::max(meanOverlap, overlap[parity] / pairs[parity]);
    }
    const double overlapScore =
        meanOverlap <= 0.45 ? 1 : std::max(0.3, 1 - (meanOverlap - 0.45) * 2);
    const double length = std::min(1.0, std::log2(inked) / std::log2(96.0));
    return std::clamp(stats.Quality() * blankScore * repeatScore * paddingScore * overlapScore *
                          (0.7 + 0.3 * length),
                      0.0, 1.0);
}

// The run through `seed`, cell by cell at its exact phase: back and on as long as the cells
// read as a font's.
std::pair<std::uint64_t, std::uint64_t> Extend(std::span<const std::uint8_t> bytes,
                                               const GlyphFormat& format, std::uint64_t seed) {
    const std::uint64_t size = format.BytesPerGlyph();
    GlyphImage image;
    const auto walk = [&](std::int64_t direction) {
        std::uint64_t last = seed;  // the last good cell
        int bad = 0;
        int blank = 0;
        std::uint64_t at = seed;
        while (true) {
            if (direction < 0) {
                if (at < size) break;
                at -= size;
            } else {
                at += size;
                if (at + size > bytes.size()) break;
            }
            DecodeGlyphInto(bytes.subspan(at, size), format, image);
            Cell cell = Look(image);
            if (!PaddingClear(bytes.subspan(at, size), format)) cell.score = 0;
            if (cell.solid) break;
            if (cell.blank) {
                if (++blank > kBlankCellsTolerated) break;
                continue;
            }
            if (cell.score < kGoodCell) {
                if (++bad > kBadCellsTolerated) break;
                continue;
            }
            bad = 0;
            blank = 0;
            last = at;
        }
        return last;
    };
    const std::uint64_t first = walk(-1);
    const std::uint64_t last = walk(1);
    return {first, (last - first) / size + 1};
}

// Whether any pixel of the glyph has an odd colour index.
bool UsesLowestPlane(const GlyphImage& image, const GlyphFormat& format) {
    const int scale = 255 / format.MaxIndex();
    if (format.MaxIndex() <= 1) return true;
    return std::any_of(image.ink.begin(), image.ink.end(),
                       [&](std::uint8_t ink) { return (ink / scale) % 2 == 1; });
}

// Where in a detection, from `first` to `end`, the most glyph-like stretch of kSampleCells cells
// begins (at the detection's own phase): a run found from code or sprites just before a font
// begins with them, and the font's phase is better told on the font.
std::uint64_t BestWindow(std::span<const std::uint8_t> bytes, const GlyphFormat& format,
                         std::uint64_t first, std::uint64_t end) {
    const std::uint64_t size = format.BytesPerGlyph();
    end = std::min<std::uint64_t>(end, bytes.size());
    if (end <= first || (end - first) / size <= kSampleCells) return first;
    constexpr std::uint64_t kMostCells = 4096;
    const std::uint64_t cells = std::min((end - first) / size, kMostCells);
    std::vector<double> scores(static_cast<std::size_t>(cells));
    GlyphImage image;
    for (std::uint64_t i = 0; i < cells; ++i) {
        const auto cellBytes = bytes.subspan(first + i * size, size);
        DecodeGlyphInto(cellBytes, format, image);
        const Cell cell = Look(image);
        scores[i] = PaddingClear(cellBytes, format) ? cell.score : 0;
    }
    double sum = 0;
    for (std::size_t i = 0; i < kSampleCells; ++i) sum += scores[i];
    double best = sum;
    std::uint64_t bestAt = 0;
    for (std::size_t i = kSampleCells; i < scores.size(); ++i) {
        sum += scores[i] - scores[i - kSampleCells];
        if (sum > best + 1e-9) {
            best = sum;
            bestAt = i + 1 - kSampleCells;
        }
    }
    return first + bestAt * size;
}

// The start of the run from `first` (walked back from `seed`) that scores best: the run may
// have walked back over code or sprites that read as glyph-like here and there before the font.
// Its starts are tried after each gap (a blank or poor cell), a bounded number of them.
std::uint64_t TrimmedStart(std::span<const std::uint8_t> bytes, const GlyphFormat& format,
                           std::uint64_t first, std::uint64_t seed, std::uint64_t end) {
    const std::uint64_t size = format.BytesPerGlyph();
    if (seed <= first) return first;
    std::vector<std::uint64_t> starts{first};
    bool gap = false;
    GlyphImage image;
    for (std::uint64_t at = first; at <= seed; at += size) {
        const auto cellBytes = bytes.subspan(at, size);
        DecodeGlyphInto(cellBytes, format, image);
        const Cell cell = Look(image);
        const bool good = !cell.blank && cell.score >= kGoodCell && PaddingClear(cellBytes, format);
        if (good && gap && at != first) starts.push_back(at);
        gap = !good;
    }
    constexpr std::size_t kMostStarts = 16;
    if (starts.size() > kMostStarts) {
        // The nearest to the seed: the font is where the run was best.
        starts.erase(starts.begin() + 1,
                     starts.end() - static_cast<std::ptrdiff_t>(kMostStarts - 1));
    }
    std::uint64_t best = first;
    double bestScore = -1;
    for (const std::uint64_t start : starts) {
        const double score = RunScore(bytes, format, start, (end - start) / size);
        if (score > bestScore + 1e-9) {
            bestScore = score;
            best = start;
        }
    }
    return best;
}

// Settles a detection's phase and tile order on a sample of its cells, then its bounds.
RefinedRun Refine(std::span<const std::uint8_t> bytes, std::uint64_t base, const GlyphFormat& asked,
                  std::uint64_t firstGood, bool fixedStart, std::uint64_t detectedEnd) {
    const std::uint64_t size = asked.BytesPerGlyph();
    if (!fixedStart) firstGood = BestWindow(bytes, asked, firstGood, detectedEnd);
    std::vector<TileOrder> orders{TileOrder::Across};
    if (asked.IsTiled() && asked.Width() > 8 && asked.Height() > 8) {
        orders.push_back(TileOrder::Down);
    }
    RefinedRun best;
    best.score = -1;
    double bestPick = -1;
    GlyphImage image;
    for (const TileOrder order : orders) {
        const auto format = GlyphFormat::Make(asked.Tiles(), asked.Width(), asked.Height(), order);
        if (!format) continue;
        const std::uint64_t phases = fixedStart ? 1 : size;
        for (std::uint64_t shift = 0; shift < phases; ++shift) {
            const std::uint64_t start = fixedStart ? 0 : firstGood + shift;
            RunStats stats;
            bool lowestPlane = false;
            for (std::size_t i = 0; i < kSampleCells; ++i) {
                const std::uint64_t at = start + i * size;
                if (at + size > bytes.size()) break;
                DecodeGlyphInto(bytes.subspan(at, size), format.value(), image);
                stats.Add(Look(image), format.value().Width(), format.value().Height());
                lowestPlane = lowestPlane || UsesLowestPlane(image, format.value());
            }
            if (stats.Inked() == 0) continue;
            // Games keep their data on whole words: between near equals the aligned phase wins.
            const int aligned = std::min(4, std::countr_zero((base + start) | 16));
            // Planes read from the middle of a tile draw the same shapes in colours whose lowest
            // bit is never set: a font drawn in its own planes uses colour 1 or 3 somewhere.
            const double planes = lowestPlane ? 1 : 0.9;
            const double pick = stats.Quality() * (1 + 0.06 * aligned) * planes;
            if (pick > bestPick) {
                bestPick = pick;
                best.format = format.value();
                best.first = start;
            }
        }
    }
    if (bestPick < 0) return best;
    if (fixedStart) {
        // A stream is read from its start: the font is as long as its glyph-like cells go.
        best.first = 0;
        best.count = Extend(bytes, best.format, 0).second;
    } else {
        // From the first inked cell of the sample.
        std::uint64_t seed = best.first;
        while (seed + size <= bytes.size() &&
               Look(DecodeGlyph(bytes.subspan(seed, size), best.format)).score < kGoodCell) {
            seed += size;
        }
        if (seed + size > bytes.size()) return best;
        const auto [first, count] = Extend(bytes, best.format, seed);
        best.first = TrimmedStart(bytes, best.format, first, seed, first + count * size);
        best.count = count - (best.first - first) / size;
    }
    best.score = RunScore(bytes, best.format, best.first, best.count);
    return best;
}

}  // namespace

RefinedRun RefineRun(std::span<const std::uint8_t> bytes, std::uint64_t base,
                     const GlyphFormat& format, std::uint64_t firstGood,
                     std::uint64_t detectedEnd) {
    return Refine(bytes, base, format, firstGood, false, detectedEnd);
}

RefinedRun RefineFromStart(std::span<const std::uint8_t> bytes, const GlyphFormat& format) {
    return Refine(bytes, 0, format, 0, true, 0);
}

}  // namespace glyphwright::fontfind
