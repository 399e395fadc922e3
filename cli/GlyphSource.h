#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "CommandOptions.h"
#include "core/table/Result.h"
#include "core/compression/Compression.h"
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// Where a game's glyphs are and how they are stored: the options glyphs and font-table share.
[[nodiscard]] std::vector<QStringList> GlyphOptionNames();

// The glyph options read: where the first glyph starts, how the glyphs are stored, and how many
// were asked for, if a count was given.
struct GlyphSource {
    std::uint64_t offset = 0;  // of the first glyph, or of the stream they are packed in
    GlyphFormat format;
    std::optional<int> count;
    Compression compression = Compression::None;
};

// Where the glyphs are read from: the game file, or the stream packed at the offset, unpacked.
class GlyphReader {
public:
    GlyphReader(GameFile file, const GlyphSource& source, std::vector<std::uint8_t> unpacked)
        : file_(std::move(file)), source_(source), unpacked_(std::move(unpacked)) {}

    // Glyphs first..first + count - 1 (fewer where they end); a table problem, worded.
    [[nodiscard]] Result<std::vector<GlyphImage>, QString> Read(std::uint64_t first,
                                                                std::size_t count) const;

private:
    GameFile file_;
    GlyphSource source_;
    std::vector<std::uint8_t> unpacked_;
};

// The complaint about the first option of `required` not given, each with an example value
// ("--game game.bin"), if any.
[[nodiscard]] std::optional<QString> MissingOption(const CommandOptions& options,
                                                   std::initializer_list<const char*> required);

// Reads the shared glyph options (offset, tiles and glyph are given); a usage complaint when
// they make no sense.
[[nodiscard]] Result<GlyphSource, QString> ReadGlyphSource(const CommandOptions& options);

// A whole number from 1 to `most`, in decimal digits only.
[[nodiscard]] std::optional<int> ReadSmallNumber(const QString& text, int most);

// The glyphs, and how many of those asked for there are (at least one); a table problem when the
// file or the stream cannot be read or holds none.
[[nodiscard]] Result<std::pair<GlyphReader, int>, QString> OpenGlyphs(const QString& path,
                                                                      const GlyphSource& source,
                                                                      int asked);

}  // namespace glyphwright
