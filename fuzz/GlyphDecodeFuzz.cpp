// Any bytes as a game file, read as glyphs from any offset in any format, glyph size and tile
// order: nothing may crash or read outside the file, and what comes back must agree with the
// glyphs decoded one by one from the bytes in memory, with only the ink levels the format has.
//
// The input's first 16 bytes choose the format, the sizes, the offset, the first glyph and the
// count; the rest is the file.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/GlyphFormat.h"

namespace {

using namespace glyphwright;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "DecodeGlyphs: %s\n", what);
    std::abort();
}

// One file for the whole run, rewritten for every input.
const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/glyph-decode-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) Fail("no temporary file");
        ::close(fd);
        return pattern;
    }();
    return path;
}

void WriteFile(std::span<const std::uint8_t> bytes) {
    const int fd = ::open(FilePath().c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        Fail("cannot write the file");
    }
    ::close(fd);
}

std::uint64_t Read64(const std::uint8_t* data) {
    std::uint64_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 16;
    if (size < kHeader) return 0;
    const auto formats = AllTileFormats();
    const TileFormat tiles = formats[data[0] % formats.size()];
    // Sizes around the valid ones, so refusals are fuzzed too.
    const int width = data[1] % 40;
    const int height = data[2] % 40;
    const TileOrder order = (data[3] & 1) != 0 ? TileOrder::Down : TileOrder::Across;
    // Offsets near the file mostly, anywhere sometimes.
    const std::uint64_t rawOffset = Read64(data + 4);
    const std::span<const std::uint8_t> file(data + kHeader, size - kHeader);
    const std::uint64_t offset = (data[3] & 2) != 0 ? rawOffset : rawOffset % (file.size() + 64);
    const std::uint64_t first =
        (data[3] & 4) != 0 ? (static_cast<std::uint64_t>(data[12]) << 56) : data[12] % 8;
    const std::size_t count = std::size_t{data[13]} | std::size_t{data[14] & 0x3u} << 8;

    const auto format = GlyphFormat::Make(tiles, width, height, order);
    if (!format) return 0;
    const std::uint32_t bytesPerGlyph = format.value().BytesPerGlyph();
    if (bytesPerGlyph == 0) Fail("a glyph of no bytes");

    WriteFile(file);
    const auto opened = GameFile::Open(FilePath());
    if (!opened) Fail("cannot open the file");
    const auto glyphs = DecodeGlyphs(opened.value(), offset, format.value(), first, count);
    if (!glyphs) Fail("the read failed");

    const std::uint64_t inFile = GlyphsInFile(file.size(), offset, format.value());
    const std::uint64_t expected =
        first >= inFile ? 0 : std::min<std::uint64_t>(count, inFile - first);
    if (glyphs.value().size() != expected) Fail("wrong number of glyphs");
    const int step = 255 / format.value().MaxIndex();
    for (std::size_t i = 0; i < glyphs.value().size(); ++i) {
        const GlyphImage& glyph = glyphs.value()[i];
        if (glyph.width != width || glyph.height != height ||
            glyph.ink.size() != static_cast<std::size_t>(width * height)) {
            Fail("wrong glyph size");
        }
        for (const std::uint8_t ink : glyph.ink) {
            if (ink % step != 0) Fail("an ink level the format does not have");
        }
        const std::uint64_t start = offset + (first + i) * bytesPerGlyph;
        std::vector<std::uint8_t> bytes(bytesPerGlyph, 0);
        for (std::uint64_t b = 0; b < bytesPerGlyph && start + b < file.size(); ++b) {
            bytes[b] = file[start + b];
        }
        if (DecodeGlyph(bytes, format.value()).ink != glyph.ink) {
            Fail("differs from the glyph decoded from memory");
        }
    }
    return 0;
}
