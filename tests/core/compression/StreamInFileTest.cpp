#include "core/compression/StreamInFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "core/glyphs/DecodeGlyphs.h"
#include "support/GlyphEncoder.h"
#include "support/StreamEncoder.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using test::StreamEncoder;
using Bytes = std::vector<std::uint8_t>;

// Bytes that pack poorly: the packed stream is nearly as long as they are.
Bytes Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

GameFile Written(const test::TempFolder& folder, const Bytes& bytes) {
    const std::string path = folder / "game.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return GameFile::Open(path).value();
}

StreamProblem ProblemOf(const Result<Bytes, StreamReadFailure>& unpacked) {
    return std::get<StreamProblem>(unpacked.error());
}

TEST(UnpackInFile, ReadsAStreamLongerThanItsFirstPieceExactly) {
    // 300 KiB of noise packs to more than 300 KiB: read in growing pieces until it ends.
    const Bytes data = Noise(300 * 1024, 4);
    Bytes file = Noise(0x123, 5);
    const Bytes packed = StreamEncoder::Lz(data, true, 16);
    ASSERT_GT(packed.size(), 256u * 1024);
    file.insert(file.end(), packed.begin(), packed.end());
    const Bytes after = Noise(100, 6);
    file.insert(file.end(), after.begin(), after.end());
    test::TempFolder folder;
    const auto unpacked = UnpackInFile(Written(folder, file), 0x123, Compression::Lz11);
    ASSERT_TRUE(unpacked);
    EXPECT_EQ(unpacked.value(), data);
}

TEST(UnpackInFile, RefusesWhatIsNoStreamOfThatCompression) {
    const Bytes data = Noise(4096, 7);
    Bytes file = StreamEncoder::Rle(data);
    const std::size_t whole = file.size();
    test::TempFolder folder;
    const GameFile game = Written(folder, file);
    EXPECT_TRUE(UnpackInFile(game, 0, Compression::Rle));
    EXPECT_EQ(ProblemOf(UnpackInFile(game, 0, Compression::Lz10)), StreamProblem::NoHeader);
    EXPECT_EQ(ProblemOf(UnpackInFile(game, 1, Compression::Rle)), StreamProblem::NoHeader);
    EXPECT_EQ(ProblemOf(UnpackInFile(game, whole + 10, Compression::Rle)), StreamProblem::NoHeader);
    // Cut short by the file's end: the stream runs past it.
    file.resize(whole - 100);
    test::TempFolder shorter;
    EXPECT_EQ(ProblemOf(UnpackInFile(Written(shorter, file), 0, Compression::Rle)),
              StreamProblem::Truncated);
}

TEST(UnpackInFile, SaysWhenTheFileChangedUnderIt) {
    test::TempFolder folder;
    const GameFile game = Written(folder, StreamEncoder::Lz(Noise(1000, 8), false));
    std::ofstream(folder / "game.bin", std::ios::binary | std::ios::trunc) << "short";
    const auto unpacked = UnpackInFile(game, 0, Compression::Lz10);
    ASSERT_FALSE(unpacked);
    ASSERT_TRUE(std::holds_alternative<GameFileError>(unpacked.error()));
}

TEST(DecodeGlyphsInMemory, ReadsAsFromAFileWithTheSameBytes) {
    // The same glyphs from bytes in memory as from a file holding them, the last one cut short.
    std::mt19937 random(9);
    const GlyphFormat format = GlyphFormat::Make(TileFormat::Snes4bpp, 16, 8).value();
    Bytes bytes = Noise(7, 10);
    for (int i = 0; i < 40; ++i) {
        const auto glyph =
            test::GlyphEncoder::Encode(test::GlyphEncoder::Random(format, random), format);
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
    }
    bytes.resize(bytes.size() - 5);
    test::TempFolder folder;
    const GameFile game = Written(folder, bytes);
    for (const std::uint64_t first :
         {std::uint64_t{0}, std::uint64_t{30}, std::uint64_t{39}, std::uint64_t{40}}) {
        const auto fromFile = DecodeGlyphs(game, 7, format, first, 16);
        ASSERT_TRUE(fromFile);
        const auto inMemory = DecodeGlyphsInMemory(bytes, 7, format, first, 16);
        ASSERT_EQ(inMemory.size(), fromFile.value().size()) << first;
        for (std::size_t i = 0; i < inMemory.size(); ++i) {
            EXPECT_EQ(inMemory[i].ink, fromFile.value()[i].ink) << first + i;
        }
    }
}

}  // namespace
}  // namespace glyphwright
