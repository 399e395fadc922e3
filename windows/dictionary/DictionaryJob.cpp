#include "DictionaryJob.h"

#include <QMetaObject>
#include <QPointer>

#include <vector>

namespace glyphwright {

namespace {

constexpr std::size_t kPiece = 1 << 20;

}  // namespace

DictionaryJob::DictionaryJob(GameFile file, LetterTable table)
    : thread_([this, file = std::move(file), table = std::move(table)] {
          // Signals from here are queued to the job's own thread; the job outlives the thread.
          const auto tell = [this](int percent) {
              QMetaObject::invokeMethod(this, [this, percent] { emit progressed(percent); },
                                        Qt::QueuedConnection);
          };
          auto outcome = std::make_shared<Outcome>(DictionaryCancelled{});
          std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
          bool read = true;
          // Reading is the first tenth of the way.
          for (std::size_t at = 0; at < bytes.size() && read;) {
              if (cancel_.load(std::memory_order_relaxed)) {
                  read = false;
                  break;
              }
              const std::size_t wanted = std::min(kPiece, bytes.size() - at);
              const auto got = file.Read(at, std::span(bytes).subspan(at, wanted));
              if (!got || got.value() == 0) {
                  *outcome = got ? GameFileError{GameFileProblem::SizeChanged, file.Path(), 0}
                                 : got.error();
                  read = false;
                  break;
              }
              at += got.value();
              tell(static_cast<int>(10 * at / bytes.size()));
          }
          if (read) {
              auto findings = FindDictionary(bytes, table, cancel_,
                                             [&](int percent) { tell(10 + percent * 9 / 10); });
              if (findings) *outcome = std::move(findings).value();
          }
          QMetaObject::invokeMethod(
              this,
              [this, outcome] {
                  outcome_ = outcome;
                  emit finished();
              },
              Qt::QueuedConnection);
      }) {}

DictionaryJob::~DictionaryJob() {
    Cancel();
    thread_.join();
}

}  // namespace glyphwright
