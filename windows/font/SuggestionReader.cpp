#include "SuggestionReader.h"

#include <QElapsedTimer>

#include <map>
#include <optional>
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

// Everything the reading thread alone touches.
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
    : QObject(parent),
      current_(std::make_shared<std::atomic<unsigned>>(0)),
      worker_(std::make_unique<Worker>()),
      workerContext_(new QObject) {
    thread_.setObjectName(QStringLiteral("SuggestionReader"));
    workerContext_->moveToThread(&thread_);
    thread_.start(QThread::LowPriority);
}

SuggestionReader::~SuggestionReader() {
    // A reading under way stops at its next glyph; references being drawn are finished first.
    current_->store(0);
    thread_.quit();
    thread_.wait();
    delete workerContext_;
}

void SuggestionReader::Read(const Source& source, std::vector<std::uint64_t> keys,
                            std::vector<GlyphImage> glyphs) {
    const unsigned job = ++job_;
    current_->store(job);
    busy_ = true;
    QMetaObject::invokeMethod(
        workerContext_,
        [this, job, current = current_, worker = worker_.get(), source, keys = std::move(keys),
         glyphs = std::move(glyphs)] {
            if (current->load() != job) return;
            // Heard on the window's thread, and only while this is still the reading wanted.
            const auto tell = [this, job, current](auto&& what) {
                QMetaObject::invokeMethod(
                    this,
                    [this, job, current, what = std::forward<decltype(what)>(what)]() mutable {
                        if (current->load() == job) what();
                    },
                    Qt::QueuedConnection);
            };
            const auto matcher = worker->MatcherFor(source);
            if (!matcher) {
                const QString why = FontMessages::FontReadingUnavailable(
                    QString::fromStdString(matcher.error().family),
                    QString::fromStdString(matcher.error().reason));
                tell([this, job, why] {
                    Finish(job);
                    emit failed(why);
                });
                return;
            }
            GlyphMatcher& reader = *matcher.value();
            const int total = static_cast<int>(glyphs.size());
            if (!glyphs.empty()) {
                tell([this] { emit drawing(); });
                reader.Prepare(glyphs.front().width, glyphs.front().height);
            }
            std::vector<std::uint64_t> readKeys;
            std::vector<GlyphSuggestion> read;
            // Every reading of the page, settled at the end by what the glyphs show together
            // (voicing marks, small forms, blocks of one script).
            std::vector<GlyphSuggestion> all;
            all.reserve(glyphs.size());
            QElapsedTimer sinceHandOver;
            sinceHandOver.start();
            for (int i = 0; i < total; ++i) {
                if (current->load() != job) return;
                all.push_back(reader.Suggest(glyphs[static_cast<std::size_t>(i)]));
                read.push_back(all.back());
                readKeys.push_back(keys[static_cast<std::size_t>(i)]);
                if (i + 1 == total || sinceHandOver.elapsed() >= kHandOverMs) {
                    tell([this, readKeys = std::move(readKeys), read = std::move(read),
                          done = i + 1, total] { emit readings(readKeys, read, done, total); });
                    readKeys.clear();
                    read.clear();
                    sinceHandOver.restart();
                }
            }
            if (current->load() != job) return;
            reader.Settle(glyphs, all);
            tell([this, keys = std::move(keys), all = std::move(all), total] {
                emit readings(keys, all, total, total);
            });
            tell([this, job] {
                Finish(job);
                emit finished();
            });
        },
        Qt::QueuedConnection);
}

void SuggestionReader::Cancel() {
    if (!busy_) return;
    ++job_;
    current_->store(job_);
    busy_ = false;
}

void SuggestionReader::Finish(unsigned job) {
    if (job == job_) busy_ = false;
}

}  // namespace glyphwright
