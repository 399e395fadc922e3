#pragma once

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <variant>
#include <vector>

#include "core/compression/StreamScan.h"
#include "core/fontfind/FontFinder.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// What Find Font found in a file: the candidates, best first, each with its first glyphs drawn,
// and every packed stream.
struct FontFindings {
    std::vector<FontCandidate> candidates;
    std::vector<std::vector<GlyphImage>> firstGlyphs;  // one strip a candidate
    std::vector<FoundStream> streams;
};

struct FontFindCancelled {};

// One look for fonts on a thread of its own, then the stream scan, then each candidate's first
// glyphs read; the windows stay responsive throughout. Progress and the end come back as
// signals on the thread that made the job. Destroying the job stops the look and waits for its
// thread, which ends within a piece of the file.
class FontFindJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontFindJob)

public:
    static constexpr std::size_t kFirstGlyphs = 16;

    using Outcome = std::variant<FontFindings, GameFileError, FontFindCancelled>;

    FontFindJob(GameFile file, FontSearch search);
    ~FontFindJob() override;

    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    // Set once `finished` has been sent.
    [[nodiscard]] const std::shared_ptr<const Outcome>& Finished() const { return outcome_; }

signals:
    void progressed(int percent);
    void finished();

private:
    void Run(const GameFile& file, const FontSearch& search);
    void Tell(int percent);

    std::atomic<bool> cancel_{false};
    int told_ = -1;  // the last percent told, on the job's thread
    std::shared_ptr<const Outcome> outcome_;
    std::thread thread_;  // last: it starts once everything it uses exists
};

}  // namespace glyphwright
