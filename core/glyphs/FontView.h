#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/game/GameFile.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"
#include "core/table/Result.h"
#include "core/table/TableCode.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// What the Font window shows, without a screen: a page of a game file's glyphs from an offset,
// 16 to a row, the glyph the user selected, and, where one is given, the code of each glyph.
// The offset is stepped by a byte, a glyph, a row or a page, and never leaves the file.
class FontView {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 16;
    static constexpr int kPageGlyphs = kColumns * kRows;

    enum class Step { Byte, Glyph, Row, Page };

    // The code a glyph stands for, by the file offset the glyph starts at; none where no code is
    // known. The anchor of a font is one such function.
    using CodeForGlyph = std::function<std::optional<TableCode>(std::uint64_t glyphOffset)>;

    // No file: an empty page.
    void SetFile(std::optional<GameFile> file);
    // Glyphs read from these bytes instead of the file (what a packed stream in it unpacks to),
    // offsets counted in them; none: from the file again. The file is still needed: without
    // one the page is empty.
    void SetUnpacked(std::shared_ptr<const std::vector<std::uint8_t>> unpacked);
    void SetFormat(const GlyphFormat& format);
    // Clamped to the last byte of the file (0 with none).
    void SetOffset(std::uint64_t offset);
    // Moves the offset `count` steps forward (negative: back), as many whole steps as the file
    // allows.
    void StepOffset(Step step, std::int64_t count);
    void SetCodeForGlyph(CodeForGlyph codeForGlyph);

    // Selects the glyph at `index` on the page (0 top left); an index past the glyphs shown
    // selects the last of them.
    void Select(int index);
    // Moves the selection across and down; past the page's top or bottom row the page moves a
    // row, past the last glyph of the file the selection stays.
    void MoveSelection(int across, int down);

    [[nodiscard]] const std::optional<GameFile>& File() const { return file_; }
    [[nodiscard]] bool ReadsUnpacked() const { return unpacked_ != nullptr; }
    // Changes whenever the bytes the glyphs are read from change: what was read of the glyphs
    // by their offsets holds only while it stays the same.
    [[nodiscard]] std::uint64_t Source() const { return source_; }
    [[nodiscard]] const GlyphFormat& Format() const { return format_; }
    [[nodiscard]] std::uint64_t Offset() const { return offset_; }
    [[nodiscard]] int Selected() const { return selected_; }
    // Glyphs on the page: 256, fewer where the file ends.
    [[nodiscard]] int GlyphsShown() const;
    // Where the glyph at `index` on the page starts in the file.
    [[nodiscard]] std::uint64_t GlyphOffset(int index) const;
    [[nodiscard]] bool HasCodes() const { return static_cast<bool>(codeForGlyph_); }
    [[nodiscard]] std::optional<TableCode> CodeOf(int index) const;
    // The code of the glyph starting at `glyphOffset`, on this page or another.
    [[nodiscard]] std::optional<TableCode> CodeAt(std::uint64_t glyphOffset) const;

    // The page's glyphs, read from the file.
    [[nodiscard]] Result<std::vector<GlyphImage>, GameFileError> Decode() const;

private:
    [[nodiscard]] std::uint64_t Size() const;
    [[nodiscard]] std::uint64_t LastOffset() const;
    void KeepSelectionShown();

    std::optional<GameFile> file_;
    std::shared_ptr<const std::vector<std::uint8_t>> unpacked_;
    std::uint64_t source_ = 0;
    GlyphFormat format_;
    std::uint64_t offset_ = 0;
    int selected_ = 0;
    CodeForGlyph codeForGlyph_;
};

}  // namespace glyphwright
