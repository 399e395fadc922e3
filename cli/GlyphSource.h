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
#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"

namespace glyphwright {

// Where a game's glyphs are and how they are stored: the options glyphs and font-table share.
[[nodiscard]] std::vector<QStringList> GlyphOptionNames();

// The glyph options read: where the first glyph starts, how the glyphs are stored, and how many
// were asked for, if a count was given.
struct GlyphSource {
    std::uint64_t offset = 0;
    GlyphFormat format;
    std::optional<int> count;
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

// The game file, and how many of the glyphs asked for it holds (at least one); a table problem
// when it cannot be read or holds none.
[[nodiscard]] Result<std::pair<GameFile, int>, QString> OpenGlyphs(const QString& path,
                                                                   const GlyphSource& source,
                                                                   int asked);

}  // namespace glyphwright
