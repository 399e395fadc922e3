// A relative search over fuzzer-chosen bytes, word, letter width and block size must find exactly
// what the plain loop in tests/support/NaiveRelativeSearch.h finds, and keep what the limits say.
//
// Input: [width, mode and the filter's instructions] [block size] then, in mode "typed", [length] and that many letter
// picks from a small alphabet of UTF-8 letters; in mode "built", [letters] [known mask]
// [set mask] and one place per known letter per set. The rest is the file.

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/search/RelativeSearch.h"
#include "support/NaiveRelativeSearch.h"

namespace {

using namespace glyphwright;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    std::vector<std::uint8_t> Rest() const {
        return at_ < size_ ? std::vector<std::uint8_t>(data_ + at_, data_ + size_)
                           : std::vector<std::uint8_t>();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

struct ScratchFile {
    std::string path = "/dev/shm/glyphwright-fuzz-" + std::to_string(::getpid()) + ".bin";
    ~ScratchFile() { ::unlink(path.c_str()); }
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "RelativeSearch: %s\n", what);
    std::abort();
}

// Letters of every set, a wildcard, and letters in no set, so that parsing meets all its cases.
constexpr const char* kAlphabet[] = {"?",  "あ", "い", "ん", "ょ", "ア", "ァ", "ォ",
                                     "が", "ボ", "ぱ", "ポ", "A",  "B",  "Z",  "a",
                                     "b",  "z",  "0",  "9",  "？", "漢", " ",  "\xFF"};

std::string TypedWord(Input& input) {
    std::string word;
    for (std::uint8_t n = input.Next() % 12; n > 0; --n) {
        word += kAlphabet[input.Next() % std::size(kAlphabet)];
    }
    return word;
}

SearchWord BuiltWord(Input& input) {
    SearchWord word;
    word.letterCount = 3 + input.Next() % 8u;
    const unsigned knownMask = input.Next();
    for (std::size_t i = 0; i < word.letterCount; ++i) {
        if (((knownMask >> (i % 8)) & 1u) != 0 || word.letterCount - i <= 3 - word.known.size()) {
            word.known.push_back(i);
        }
    }
    // Two bytes: every built-in set may be a candidate, more than eight of them at once.
    const unsigned setMask = input.Next() | (unsigned{input.Next()} << 8) | 1u;
    for (std::size_t s = 0; s < BuiltInSets().size(); ++s) {
        if (((setMask >> s) & 1u) == 0) continue;
        SetPlaces candidate{s, {}};
        for (std::size_t j = 0; j < word.known.size(); ++j) {
            candidate.places.push_back(static_cast<int>(input.Next() % BuiltInSets()[s].size()));
        }
        word.candidates.push_back(candidate);
    }
    return word;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::uint8_t mode = input.Next();
    const auto width = static_cast<LetterWidth>(mode % 3);
    SearchOptions options;
    options.blockSize = 1 + input.Next() % 80u;
    // The filter's instructions too: each must find the same.
    options.instructions = static_cast<FilterInstructions>((mode >> 3) % 3);

    const auto prepared = (mode & 4u) != 0 ? RelativeSearch::Prepare(TypedWord(input), width)
                                           : RelativeSearch::Prepare(BuiltWord(input), width);
    if (!prepared) return 0;
    const RelativeSearch& search = prepared.value();
    const std::vector<std::uint8_t> bytes = input.Rest();

    // A real file: the search reads only through GameFile. In /dev/shm, so no disk waits.
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::close(fd) != 0) {
        Fail("cannot write the file to search");
    }
    const auto file = GameFile::Open(path);
    if (!file) Fail("cannot open the file to search");

    const std::vector<Hit> want = test::NaiveHits(bytes, search.Word(), width);
    const std::atomic<bool> cancel{false};
    for (const std::size_t limit : {std::size_t{1} << 20, std::size_t{2}}) {
        options.maxStoredHits = limit;
        options.examplesPerGroup = limit;
        options.maxStoredExamples = limit + 1;
        const auto run = search.Run(file.value(), cancel, {}, options);
        if (!run) Fail("the search failed");
        const SearchResults expected = test::NaiveResults(want, options, search.LettersHeldBySet());
        if (run.value().hitCount != expected.hitCount) Fail("wrong number of hits");
        if (run.value().hits != expected.hits) Fail("wrong hits");
        if (run.value().groups != expected.groups) Fail("wrong groups");
    }
    if (!want.empty()) {
        const auto context = search.Context(file.value(), want.back(), 5, 9);
        if (!context) Fail("no context");
        const std::size_t unit = width == LetterWidth::OneByte ? 1 : 2;
        if (context.value().cells.size() != context.value().bytes.size() / unit) {
            Fail("context cells do not cover the bytes");
        }
    }
    return 0;
}
