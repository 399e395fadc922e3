#include "FontFindJob.h"

#include <algorithm>
#include <utility>

#include "core/compression/StreamInFile.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

namespace {

// The look for fonts is most of the way; the stream scan for the list the rest.
constexpr int kFontsShare = 85;

// Each candidate's first glyphs, one stream unpacked at a time and held while the next candidate
// is in it too.
std::vector<std::vector<GlyphImage>> FirstGlyphs(const GameFile& file,
                                                 const std::vector<FontCandidate>& candidates) {
    std::vector<std::vector<GlyphImage>> strips;
    std::pair<std::uint64_t, Compression> held{0, Compression::None};
    std::vector<std::uint8_t> unpacked;
    for (const FontCandidate& candidate : candidates) {
        std::vector<GlyphImage> strip;
        if (candidate.compression == Compression::None) {
            auto read = DecodeGlyphs(file, candidate.offset, candidate.format, 0, kFirstGlyphsDrawn);
            if (read) strip = std::move(read).value();
        } else {
            const auto key = std::pair(candidate.offset, candidate.compression);
            if (key != held) {
                unpacked = {};  // one stream held at a time, not two while the next unpacks
                auto bytes = UnpackInFile(file, candidate.offset, candidate.compression);
                unpacked = bytes ? std::move(bytes).value() : std::vector<std::uint8_t>{};
                held = key;
            }
            strip = DecodeGlyphsInMemory(unpacked, 0, candidate.format, 0, kFirstGlyphsDrawn);
        }
        strips.push_back(std::move(strip));
    }
    return strips;
}

}  // namespace

std::unique_ptr<FontFindJob> StartFindFonts(GameFile file, FontSearch search) {
    return std::make_unique<FontFindJob>([file = std::move(file), search = std::move(search)](
                                             QPromise<FontFindOutcome>& promise,
                                             const FontFindJob::StopFlag& stop) {
        promise.setProgressRange(0, 100);
        const auto part = [&](int from, int share) {
            return [&, from, share](std::uint64_t done, std::uint64_t total) {
                if (total > 0) {
                    promise.setProgressValue(
                        from + static_cast<int>(static_cast<std::uint64_t>(share) *
                                                std::min(done, total) / total));
                }
                return !stop.load(std::memory_order_relaxed);
            };
        };
        auto fonts = FindFonts(file, search, part(0, kFontsShare));
        if (!fonts) {
            promise.addResult(fonts.error().cancelled ? FontFindOutcome{FontFindCancelled{}}
                                                      : FontFindOutcome{fonts.error().error});
            return;
        }
        FontFindings findings;
        findings.candidates = std::move(fonts).value();
        auto streams = ScanStreams(file, part(kFontsShare, 100 - kFontsShare));
        if (!streams) {
            promise.addResult(streams.error().cancelled ? FontFindOutcome{FontFindCancelled{}}
                                                        : FontFindOutcome{streams.error().error});
            return;
        }
        findings.streams = std::move(streams).value();
        findings.firstGlyphs = FirstGlyphs(file, findings.candidates);
        promise.addResult(std::move(findings));
    });
}

}  // namespace glyphwright
