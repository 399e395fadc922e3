#include "SuggestionReader.h"

#include <QElapsedTimer>

#include <map>
#include <utility>

#include "FontMessages.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ReferenceFont.h"

namespace glyphwright {

namespace {

// Readings are handed over at least this often, so the page fills in as it is read.
constexpr qint64 kHandOverMs = 50;

std::string Family(const SuggestionReader::Source& source) {
    return source.family.empty() ? std::string(GlyphMatcher::kDefaultFamily) : source.family;
}

}  // namespace

// Everything the readings alone touch.
struct SuggestionReader::Worker {
    // One matcher per face and repertoires: each keeps the references it drew, per size.
    std::map<std::pair<std::string, std::vector<Repertoire>>, std::unique_ptr<GlyphMatcher>>
        matchers;

    Result<GlyphMatcher*, FontUnavailable> MatcherFor(const Source& source) {
        auto key = std::make_pair(Family(source), source.repertoires);
        if (const auto known = matchers.find(key); known != matchers.end()) {
            return known->second.get();
        }
        auto opened = GlyphMatcher::Open(key.first, RepertoireCharacters(source.repertoires));
        if (!opened) return opened.error();
        auto matcher = std::make_unique<GlyphMatcher>(std::move(opened).value());
        return matchers.emplace(std::move(key), std::move(matcher)).first->second.get();
    }
};

SuggestionReader::SuggestionReader(QObject* parent)
    : QObject(parent), worker_(std::make_shared<Worker>()) {
    pool_.setObjectName(QStringLiteral("SuggestionReader"));
    pool_.setMaxThreadCount(1);
    pool_.setThreadPriority(QThread::LowPriority);
}

SuggestionReader::~SuggestionReader() {
    // A reading under way stops at its next glyph; references being drawn are finished first.
    reading_.reset();
    pool_.waitForDone();
}

void SuggestionReader::Read(const Source& source, std::vector<std::uint64_t> keys,
                            std::vector<GlyphImage> glyphs) {
    Drop();
    reading_ = std::make_unique<BackgroundJob<Told>>(
        pool_, [worker = worker_, source, keys = std::move(keys), glyphs = std::move(glyphs)](
                   QPromise<Told>& promise, const BackgroundJob<Told>::StopFlag& stop) {
            const auto matcher = worker->MatcherFor(source);
            if (!matcher) {
                promise.addResult(Told{Told::Failed{FontMessages::FontReadingUnavailable(
                    QString::fromStdString(matcher.error().family),
                    QString::fromStdString(matcher.error().reason))}});
                return;
            }
            GlyphMatcher& reader = *matcher.value();
            const int total = static_cast<int>(glyphs.size());
            if (!glyphs.empty()) {
                promise.addResult(Told{Told::Drawing{}});
                reader.Prepare(glyphs.front().width, glyphs.front().height);
            }
            Told::Readings read;
            // Every reading of the page, settled at the end by what the glyphs show together
            // (voicing marks, small forms, blocks of one script).
            std::vector<GlyphSuggestion> all;
            all.reserve(glyphs.size());
            QElapsedTimer sinceHandOver;
            sinceHandOver.start();
            for (int i = 0; i < total; ++i) {
                if (stop.load(std::memory_order_relaxed)) return;
                all.push_back(reader.Suggest(glyphs[static_cast<std::size_t>(i)]));
                read.suggestions.push_back(all.back());
                read.keys.push_back(keys[static_cast<std::size_t>(i)]);
                if (i + 1 == total || sinceHandOver.elapsed() >= kHandOverMs) {
                    read.done = i + 1;
                    read.total = total;
                    promise.addResult(Told{std::exchange(read, {})});
                    sinceHandOver.restart();
                }
            }
            if (stop.load(std::memory_order_relaxed)) return;
            reader.Settle(glyphs, all);
            promise.addResult(Told{Told::Readings{keys, std::move(all), total, total}});
        });
    connect(reading_.get(), &BackgroundJob<Told>::resultsReadyAt, this, &SuggestionReader::Hear);
    connect(reading_.get(), &BackgroundJob<Told>::finished, this, &SuggestionReader::Ended);
}

void SuggestionReader::Hear(int begin, int end) {
    for (int i = begin; i < end && reading_; ++i) {
        // Copied: a signal below may start another reading, which lets this one go.
        const Told told = reading_->resultAt(i);
        if (std::holds_alternative<Told::Drawing>(told.what)) {
            emit drawing();
        } else if (const auto* read = std::get_if<Told::Readings>(&told.what)) {
            emit readings(read->keys, read->suggestions, read->done, read->total);
        } else {
            Drop();
            emit failed(std::get<Told::Failed>(told.what).why);
        }
    }
}

void SuggestionReader::Ended() {
    if (!reading_) return;
    // Whatever it still held was heard first: results come before the end.
    Drop();
    emit finished();
}

void SuggestionReader::Cancel() {
    Drop();
}

void SuggestionReader::Drop() {
    if (!reading_) return;
    BackgroundJob<Told>* reading = reading_.release();
    reading->disconnect(this);
    reading->Cancel();  // it stops at its next glyph, unheard
    // It may be the one sending the signal being handled.
    reading->deleteLater();
}

}  // namespace glyphwright
