#include "core/fontfind/FontFinder.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/fontfind/CellLook.h"
#include "core/fontfind/RunRefinement.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

namespace {

using fontfind::Cell;
using fontfind::kBadCellsTolerated;
using fontfind::kBlankCellsTolerated;
using fontfind::kGoodCell;
using fontfind::kMinGlyphs;
using fontfind::Look;
using fontfind::PaddingClear;
using fontfind::RefinedRun;
using fontfind::RunStats;

constexpr std::uint64_t kPiece = 1u << 20;       // raw bytes read at a time
constexpr std::uint64_t kMaxWindow = 8u << 20;   // bytes read around one candidate to refine it
constexpr std::size_t kDetectionsKept = 6;       // refined, of each format and size
constexpr std::uint64_t kDetectionStride = 2;    // cells looked at while detecting: 1 in this many

struct Combo {
    GlyphFormat format;
    std::uint64_t bytes = 0;  // per glyph
};

std::vector<Combo> Combos(const FontSearch& search) {
    const std::vector<TileFormat> tiles =
        search.tiles.empty() ? std::vector<TileFormat>(AllTileFormats().begin(), AllTileFormats().end())
                             : search.tiles;
    const std::vector<GlyphSize> sizes = search.sizes.empty() ? DefaultFontSizes() : search.sizes;
    std::vector<Combo> combos;
    for (const TileFormat tile : tiles) {
        for (const GlyphSize size : sizes) {
            // A bitmap 8 wide is 1bpp's layout, and a packed bitmap a whole number of bytes wide
            // is the padded bitmap's: each is looked for once, under the plainer name, unless
            // asked for by name alone.
            const bool onlyThis = search.tiles.size() == 1;
            if (!onlyThis && tile == TileFormat::Bitmap && size.width == 8) continue;
            if (!onlyThis && tile == TileFormat::BitmapPacked && size.width % 8 == 0) continue;
            const auto format = GlyphFormat::Make(tile, size.width, size.height);
            if (!format) continue;
            combos.push_back({format.value(), format.value().BytesPerGlyph()});
        }
    }
    return combos;
}

// A run of glyph-like cells found at one phase, before its phase and bounds are settled.
struct Detection {
    std::size_t combo = 0;
    Compression compression = Compression::None;
    std::uint64_t stream = 0;  // the stream's offset, with a compression
    std::uint64_t first = 0;   // the first good cell, in the bytes it was found in
    std::uint64_t end = 0;     // past the last good cell
    double quality = 0;
};

// Follows the cells of one combo and phase in order, and reports each run of them that reads
// as a font.
class RunTracker {
public:
    struct Run {
        std::uint64_t first = 0;
        std::uint64_t end = 0;
        double quality = 0;
    };

    template <class Report>
    void Feed(std::uint64_t offset, const Combo& combo, const Cell& cell, Report&& report) {
        if (cell.solid) {
            Close(report);
            return;
        }
        if (cell.blank) {
            if (open_ && ++blankStreak_ > kBlankCellsTolerated) Close(report);
            if (open_) pending_.push_back(cell);
            return;
        }
        if (cell.score < kGoodCell) {
            if (open_ && ++badStreak_ > kBadCellsTolerated) Close(report);
            if (open_) pending_.push_back(cell);
            return;
        }
        if (!open_) {
            open_ = true;
            run_ = Run{};
            run_.first = offset;
            stats_ = RunStats{};
        }
        // What came between two good cells belongs to the run; what trails it does not.
        for (const Cell& between : pending_) stats_.Add(between, combo.format.Width(), combo.format.Height());
        pending_.clear();
        badStreak_ = 0;
        blankStreak_ = 0;
        stats_.Add(cell, combo.format.Width(), combo.format.Height());
        run_.end = offset + combo.bytes;
    }

    template <class Report>
    void Close(Report&& report) {
        if (open_ && stats_.Good() >= kMinGlyphs / static_cast<int>(kDetectionStride)) {
            const double length = std::min(1.0, std::log2(stats_.Good()) / std::log2(96.0));
            run_.quality = stats_.CellQuality() * (0.6 + 0.4 * length);
            report(run_);
        }
        open_ = false;
        pending_.clear();
        badStreak_ = 0;
        blankStreak_ = 0;
    }

private:
    bool open_ = false;
    Run run_;
    RunStats stats_;
    std::vector<Cell> pending_;
    int badStreak_ = 0;
    int blankStreak_ = 0;
};

// The best detections of each combo over the whole search, a bounded number: a format that
// reads noise as glyph-like cannot crowd out the others.
class Kept {
public:
    explicit Kept(std::size_t combos) : detections_(combos) {}
    void Add(const Detection& detection) {
        auto& kept = detections_[detection.combo];
        kept.push_back(detection);
        if (kept.size() >= 4 * kDetectionsKept) Trim(kept);
    }
    std::vector<Detection> Take() {
        std::vector<Detection> all;
        for (auto& kept : detections_) {
            Trim(kept);
            all.insert(all.end(), kept.begin(), kept.end());
        }
        return all;
    }

private:
    static void Trim(std::vector<Detection>& kept) {
        std::sort(kept.begin(), kept.end(),
                  [](const Detection& a, const Detection& b) { return a.quality > b.quality; });
        if (kept.size() > kDetectionsKept) kept.resize(kDetectionsKept);
    }
    std::vector<std::vector<Detection>> detections_;
};

// One cell in kDetectionStride of one combo from `from` on, all but those cut off: a font is
// long enough to be seen in half its glyphs, and the look takes half the time. Cells of zeros are blank
// without being decoded.
template <class Visit>
void Cells(std::span<const std::uint8_t> bytes, const Combo& combo, std::uint64_t from,
           std::uint64_t to, Visit&& visit) {
    const std::uint64_t step = kDetectionStride * combo.bytes;
    GlyphImage image;
    for (std::uint64_t at = from; at + combo.bytes <= bytes.size() && at < to; at += step) {
        const auto cellBytes = bytes.subspan(at, combo.bytes);
        if (std::all_of(cellBytes.begin(), cellBytes.end(), [](std::uint8_t b) { return b == 0; })) {
            visit(at, Cell{});
            continue;
        }
        DecodeGlyphInto(cellBytes, combo.format, image);
        Cell cell = Look(image);
        if (!PaddingClear(cellBytes, combo.format)) cell.score = 0;
        visit(at, cell);
    }
}

// Detections in `bytes` (raw bytes from `base`, or a stream's unpacked bytes), fed to `kept`.
void Detect(std::span<const std::uint8_t> bytes, std::uint64_t base, std::uint64_t to,
            const std::vector<Combo>& combos, std::vector<RunTracker>& trackers,
            Compression compression, std::uint64_t stream, Kept& kept) {
    for (std::size_t c = 0; c < combos.size(); ++c) {
        const Combo& combo = combos[c];
        // Raw pieces follow on from each other: the cells keep their phase across them.
        const std::uint64_t step = kDetectionStride * combo.bytes;
        const std::uint64_t from = (step - base % step) % step;
        Cells(bytes, combo, from, to, [&](std::uint64_t at, const Cell& cell) {
            trackers[c].Feed(base + at, combo, cell, [&](const RunTracker::Run& run) {
                kept.Add({c, compression, stream, run.first, run.end, run.quality});
            });
        });
    }
}

}  // namespace

std::vector<GlyphSize> DefaultFontSizes() {
    return {{8, 8}, {8, 16}, {16, 16}, {12, 12}};
}

double CellScore(const GlyphImage& cell) {
    return Look(cell).score;
}

namespace {

std::vector<FontCandidate> Ranked(std::vector<FontCandidate> candidates, std::size_t limit) {
    std::sort(candidates.begin(), candidates.end(),
              [](const FontCandidate& a, const FontCandidate& b) { return a.score > b.score; });
    // One place read the same way twice (found at two phases) is listed once.
    std::vector<FontCandidate> unique;
    for (const FontCandidate& candidate : candidates) {
        // The same font found from two places, or at two phases: its bytes overlap.
        const auto end = [](const FontCandidate& c) {
            return c.offset + c.count * c.format.BytesPerGlyph();
        };
        const bool again = std::any_of(unique.begin(), unique.end(), [&](const FontCandidate& u) {
            if (u.compression != candidate.compression || u.format.Tiles() != candidate.format.Tiles() ||
                u.format.Width() != candidate.format.Width() ||
                u.format.Height() != candidate.format.Height()) {
                return false;
            }
            if (u.compression != Compression::None) return u.offset == candidate.offset;
            return u.offset < end(candidate) && candidate.offset < end(u);
        });
        if (!again && candidate.score > 0) unique.push_back(candidate);
        if (unique.size() >= limit) break;
    }
    return unique;
}

FontCandidate Candidate(const RefinedRun& exact, Compression compression, std::uint64_t offset) {
    return {exact.score, compression, offset, exact.format, exact.count};
}

// A few inked glyphs from the candidate's start, for the reader to rate.
Result<std::vector<GlyphImage>, GameFileError> Sample(const GameFile& file,
                                                      const FontCandidate& candidate) {
    constexpr std::size_t kSample = 16;
    const std::uint64_t size = candidate.format.BytesPerGlyph();
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(candidate.count, 4 * kSample));
    std::vector<GlyphImage> glyphs;
    if (candidate.compression == Compression::None) {
        auto read = DecodeGlyphs(file, candidate.offset, candidate.format, 0, want);
        if (!read) return read.error();
        glyphs = std::move(read).value();
    } else {
        const auto packed = file.ReadWindow(candidate.offset, kMaxUnpackedSize + kStreamHeaderSize);
        if (!packed) return packed.error();
        const auto unpacked = Unpack(packed.value(), candidate.compression);
        if (!unpacked) return glyphs;
        const auto& bytes = unpacked.value().bytes;
        for (std::size_t i = 0; i < want && (i + 1) * size <= bytes.size(); ++i) {
            glyphs.push_back(DecodeGlyph(std::span(bytes).subspan(i * size, size), candidate.format));
        }
    }
    std::vector<GlyphImage> inked;
    for (GlyphImage& glyph : glyphs) {
        if (inked.size() < kSample && !Look(glyph).blank) inked.push_back(std::move(glyph));
    }
    return inked;
}

}  // namespace

std::vector<FontCandidate> FindFontsInMemory(std::span<const std::uint8_t> bytes,
                                             const FontSearch& search) {
    const std::vector<Combo> combos = Combos(search);
    std::vector<RunTracker> trackers(combos.size());
    Kept kept(combos.size());
    Detect(bytes, 0, bytes.size(), combos, trackers, Compression::None, 0, kept);
    for (std::size_t c = 0; c < combos.size(); ++c) {
        trackers[c].Close([&](const RunTracker::Run& run) {
            kept.Add({c, Compression::None, 0, run.first, run.end, run.quality});
        });
    }
    std::vector<FontCandidate> candidates;
    for (const Detection& detection : kept.Take()) {
        const RefinedRun exact =
            fontfind::RefineRun(bytes, 0, combos[detection.combo].format, detection.first, detection.end);
        if (exact.score > 0) candidates.push_back(Candidate(exact, Compression::None, exact.first));
    }
    return Ranked(std::move(candidates), search.limit);
}

Result<std::vector<FontCandidate>, ScanFailure> FindFonts(const GameFile& file,
                                                          const FontSearch& search,
                                                          const ScanProgress& progress,
                                                          const SampleRating& rating) {
    const std::vector<Combo> combos = Combos(search);
    const std::uint64_t size = file.Size();
    std::uint64_t longest = 0;
    for (const Combo& combo : combos) longest = std::max(longest, combo.bytes);
    // The raw look takes most of the time; the streams and the refining the rest.
    const auto told = [&](std::uint64_t done, std::uint64_t total, std::uint64_t from,
                          std::uint64_t span) {
        if (!progress) return true;
        return progress(from + (total == 0 ? span : done * span / total), 1000);
    };
    const auto failed = [&](const GameFileError& error) { return ScanFailure{false, error}; };

    // Raw, a piece at a time, with enough bytes behind each for its last cells.
    std::vector<RunTracker> trackers(combos.size());
    Kept kept(combos.size());
    std::vector<std::uint8_t> piece;
    for (std::uint64_t start = 0; start < size; start += kPiece) {
        if (!told(start, size, 0, 700)) return ScanFailure{true, {}};
        const std::uint64_t want = std::min(size - start, kPiece + longest);
        piece.resize(static_cast<std::size_t>(want));
        const auto read = file.Read(start, piece);
        if (!read) return failed(read.error());
        if (read.value() != want) {
            return failed({GameFileProblem::SizeChanged, file.Path(), 0});
        }
        Detect(piece, start, std::min<std::uint64_t>(kPiece, want), combos, trackers,
               Compression::None, 0, kept);
    }
    for (std::size_t c = 0; c < combos.size(); ++c) {
        trackers[c].Close([&](const RunTracker::Run& run) {
            kept.Add({c, Compression::None, 0, run.first, run.end, run.quality});
        });
    }
    piece = {};

    // Inside each stream, read from its start. Only the best few of the streams' candidates can
    // be ranked (no two of them are the same place read the same way), so no more are held: a
    // file of many small streams that each read as a font costs no more than one.
    const std::size_t mostRanked = std::max<std::size_t>(search.limit, 8);
    const auto keepBest = [mostRanked](std::vector<FontCandidate>& from) {
        if (from.size() < 2 * mostRanked) return;
        std::sort(from.begin(), from.end(),
                  [](const FontCandidate& a, const FontCandidate& b) { return a.score > b.score; });
        from.resize(mostRanked);
    };
    std::vector<FontCandidate> candidates;
    if (search.inStreams) {
        const auto streams = ScanStreams(file, [&](std::uint64_t done, std::uint64_t total) {
            return told(done, total, 700, 100);
        });
        if (!streams) return streams.error();
        const auto& found = streams.value();
        for (std::size_t s = 0; s < found.size(); ++s) {
            if (!told(s, found.size(), 800, 100)) return ScanFailure{true, {}};
            const auto packed = file.ReadWindow(found[s].offset, found[s].packedSize);
            if (!packed) return failed(packed.error());
            const auto unpacked = UnpackAny(packed.value());
            if (!unpacked) continue;
            const auto& bytes = unpacked.value().bytes;
            for (const Combo& combo : combos) {
                const RefinedRun exact = fontfind::RefineFromStart(bytes, combo.format);
                if (exact.score > 0 && exact.count >= static_cast<std::uint64_t>(kMinGlyphs)) {
                    candidates.push_back(Candidate(exact, found[s].compression, found[s].offset));
                }
            }
            keepBest(candidates);
        }
    }

    // The raw detections, each settled on the bytes around it.
    const std::vector<Detection> detections = kept.Take();
    for (std::size_t d = 0; d < detections.size(); ++d) {
        if (!told(d, detections.size(), 900, 100)) return ScanFailure{true, {}};
        const Detection& detection = detections[d];
        const std::uint64_t bytes = combos[detection.combo].bytes;
        const std::uint64_t from = detection.first > 64 * bytes ? detection.first - 64 * bytes : 0;
        const std::uint64_t to = std::min(size, detection.end + 64 * bytes);
        const auto window = file.ReadWindow(from, static_cast<std::size_t>(std::min(to - from, kMaxWindow)));
        if (!window) return failed(window.error());
        RefinedRun exact = fontfind::RefineRun(window.value(), from, combos[detection.combo].format,
                                               detection.first - from, detection.end - from);
        // Games keep their data on whole words, often on whole tiles.
        exact.score *= 0.88 + 0.03 * std::min(4, std::countr_zero((from + exact.first) | 16));
        if (exact.score > 0) candidates.push_back(Candidate(exact, Compression::None, from + exact.first));
    }
    std::vector<FontCandidate> ranked = Ranked(std::move(candidates), mostRanked);

    // The best few: how sure the reader is of a sample of their glyphs.
    if (rating) {
        for (FontCandidate& candidate : ranked) {
            const auto sample = Sample(file, candidate);
            if (!sample) return failed(sample.error());
            if (sample.value().empty()) continue;
            candidate.score = 0.75 * candidate.score + 0.25 * std::clamp(rating(sample.value()), 0.0, 1.0);
        }
        std::stable_sort(ranked.begin(), ranked.end(), [](const FontCandidate& a, const FontCandidate& b) {
            return a.score > b.score;
        });
    }
    if (ranked.size() > search.limit) ranked.resize(search.limit);
    if (progress && !progress(1000, 1000)) return ScanFailure{true, {}};
    return ranked;
}

}  // namespace glyphwright
