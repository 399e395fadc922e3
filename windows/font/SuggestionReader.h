#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphSuggestion.h"
#include "core/glyphs/Repertoire.h"

namespace glyphwright {

// Reads glyphs on a thread of its own, so that the window answers every key while a page is read
// and the references are drawn. One reading at a time: a new one, or Cancel(), ends the one before,
// and what it would still have said is never heard. The matchers are kept per face and
// repertoires, and each keeps its references per size, so reading another page of the same font
// draws nothing again.
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
    [[nodiscard]] bool Busy() const { return busy_; }

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
    void Finish(unsigned job);

    QThread thread_;
    std::shared_ptr<std::atomic<unsigned>> current_;  // the job that may still speak
    std::unique_ptr<Worker> worker_;                  // lives on thread_
    QObject* workerContext_ = nullptr;                // runs work on thread_
    unsigned job_ = 0;
    bool busy_ = false;
};

}  // namespace glyphwright
