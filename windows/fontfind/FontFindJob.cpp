#include "FontFindJob.h"

#include <QMetaObject>

#include <algorithm>
#include <utility>

#include "core/compression/StreamInFile.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

namespace {

// The look for fonts is most of the way; the stream scan for the list the rest.
constexpr int kFontsShare = 85;

}  // namespace

FontFindJob::FontFindJob(GameFile file, FontSearch search)
    : thread_([this, file = std::move(file), search = std::move(search)] { Run(file, search); }) {}

FontFindJob::~FontFindJob() {
    Cancel();
    thread_.join();
}

void FontFindJob::Tell(int percent) {
    // Once a percent: the window is told a hundred times at most.
    if (percent == told_) return;
    told_ = percent;
    // Queued to the job's own thread; the job outlives this thread.
    QMetaObject::invokeMethod(
        this, [this, percent] { emit progressed(percent); }, Qt::QueuedConnection);
}

void FontFindJob::Run(const GameFile& file, const FontSearch& search) {
    auto outcome = std::make_shared<Outcome>(FontFindCancelled{});
    const auto going = [this] { return !cancel_.load(std::memory_order_relaxed); };
    const auto part = [&](int from, int share) {
        return [&, from, share](std::uint64_t done, std::uint64_t total) {
            if (total > 0) {
                Tell(from + static_cast<int>(static_cast<std::uint64_t>(share) *
                                             std::min(done, total) / total));
            }
            return going();
        };
    };
    auto fonts = FindFonts(file, search, part(0, kFontsShare));
    if (fonts) {
        FontFindings findings;
        findings.candidates = std::move(fonts).value();
        auto streams = ScanStreams(file, part(kFontsShare, 100 - kFontsShare));
        if (streams) {
            findings.streams = std::move(streams).value();
            // One stream unpacked at a time, held while the next candidate is in it too.
            std::pair<std::uint64_t, Compression> held{0, Compression::None};
            std::vector<std::uint8_t> unpacked;
            for (const FontCandidate& candidate : findings.candidates) {
                std::vector<GlyphImage> strip;
                if (candidate.compression == Compression::None) {
                    auto read =
                        DecodeGlyphs(file, candidate.offset, candidate.format, 0, kFirstGlyphs);
                    if (read) strip = std::move(read).value();
                } else {
                    const auto key = std::pair(candidate.offset, candidate.compression);
                    if (key != held) {
                        auto bytes = UnpackInFile(file, candidate.offset, candidate.compression);
                        unpacked = bytes ? std::move(bytes).value() : std::vector<std::uint8_t>{};
                        held = key;
                    }
                    strip = DecodeGlyphsInMemory(unpacked, 0, candidate.format, 0, kFirstGlyphs);
                }
                findings.firstGlyphs.push_back(std::move(strip));
            }
            *outcome = std::move(findings);
        } else if (!streams.error().cancelled) {
            *outcome = streams.error().error;
        }
    } else if (!fonts.error().cancelled) {
        *outcome = fonts.error().error;
    }
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
            outcome_ = outcome;
            emit finished();
        },
        Qt::QueuedConnection);
}

}  // namespace glyphwright
