#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "BackgroundJob.h"
#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/Repertoire.h"

namespace glyphwright {

// Reads glyphs as background jobs (BackgroundJob) on a thread of its own, so that the window
// answers every key while a page is read and the references are drawn. One reading at a time: a
// new one, or Cancel(), ends the one before, and what it would still have said is never heard.
// The matchers are kept per face and repertoires, and each keeps its references per size, so
// reading another page of the same font draws nothing again: the readings run one after another
// on the one thread, which alone touches the matchers.
class SuggestionReader final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SuggestionReader)

public:
    struct Source {
        std::string family;  // empty: the matcher's default face
        std::vector<Repertoire> repertoires;

        friend bool operator==(const Source&, const Source&) = default;
    };

    explicit SuggestionReader(QObject* parent = nullptr);
    ~SuggestionReader() override;

    // Reads `glyphs` against `source`; `keys` name them in what is heard back, one a glyph.
    void Read(const Source& source, std::vector<std::uint64_t> keys,
              std::vector<GlyphImage> glyphs);
    void Cancel();
    [[nodiscard]] bool Busy() const { return reading_ != nullptr; }

signals:
    // The references are being drawn for the first time: the first glyphs wait for them.
    void drawing();
    // Some of the glyphs are read; `done` of `total` so far.
    void readings(const std::vector<std::uint64_t>& keys,
                  const std::vector<GlyphSuggestion>& suggestions, int done, int total);
    void finished();
    // The face could not be opened.
    void failed(const QString& why);

private:
    struct Worker;
    // What a reading tells as it goes, in order.
    struct Told {
        struct Drawing {};
        struct Readings {
            std::vector<std::uint64_t> keys;
            std::vector<GlyphSuggestion> suggestions;
            int done = 0;
            int total = 0;
        };
        struct Failed {
            QString why;
        };
        std::variant<Drawing, Readings, Failed> what;
    };
    void Hear(int begin, int end);
    void Ended();
    // Lets the reading go: it is heard no more.
    void Drop();

    std::shared_ptr<Worker> worker_;  // touched only by the readings, one at a time
    QThreadPool pool_;                // one thread, for the readings
    std::unique_ptr<BackgroundJob<Told>> reading_;  // the one that may still speak
};

}  // namespace glyphwright
