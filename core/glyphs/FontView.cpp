#include "core/glyphs/FontView.h"

#include <algorithm>
#include <utility>

#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

void FontView::SetFile(std::optional<GameFile> file) {
    file_ = std::move(file);
    ++source_;
    SetOffset(offset_);
}

void FontView::SetUnpacked(std::shared_ptr<const std::vector<std::uint8_t>> unpacked) {
    unpacked_ = std::move(unpacked);
    ++source_;
    SetOffset(offset_);
}

void FontView::SetFormat(const GlyphFormat& format) {
    format_ = format;
    KeepSelectionShown();
}

void FontView::SetOffset(std::uint64_t offset) {
    offset_ = std::min(offset, LastOffset());
    KeepSelectionShown();
}

void FontView::StepOffset(Step step, std::int64_t count) {
    std::uint64_t size = 1;
    switch (step) {
        case Step::Byte:
            break;
        case Step::Glyph:
            size = format_.BytesPerGlyph();
            break;
        case Step::Row:
            size = std::uint64_t{format_.BytesPerGlyph()} * kColumns;
            break;
        case Step::Page:
            size = std::uint64_t{format_.BytesPerGlyph()} * kPageGlyphs;
            break;
    }
    const std::uint64_t steps =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    // Whole steps only, as many as fit before the edge: the glyphs stay on the grid they were
    // on, so a font found by bytes stays in line while it is paged through.
    if (count < 0) {
        offset_ -= std::min(steps, offset_ / size) * size;
    } else {
        offset_ += std::min(steps, (LastOffset() - offset_) / size) * size;
    }
    KeepSelectionShown();
}

void FontView::SetCodeForGlyph(CodeForGlyph codeForGlyph) {
    codeForGlyph_ = std::move(codeForGlyph);
}

void FontView::Select(int index) {
    selected_ = std::clamp(index, 0, std::max(0, GlyphsShown() - 1));
}

void FontView::MoveSelection(int across, int down) {
    int target = selected_ + across + down * kColumns;
    if (target < 0) {
        const std::uint64_t before = offset_;
        StepOffset(Step::Row, -1);
        if (offset_ == before) return;  // the page is at the start of the file
        target += kColumns;
    } else if (target >= kPageGlyphs) {
        const std::uint64_t before = offset_;
        StepOffset(Step::Row, 1);
        if (offset_ == before) return;  // no row of the file lies below
        target -= kColumns;
    }
    if (target >= GlyphsShown()) return;  // past the file's last glyph
    selected_ = target;
}

int FontView::GlyphsShown() const {
    if (!file_) return 0;
    return static_cast<int>(
        std::min<std::uint64_t>(kPageGlyphs, GlyphsInFile(Size(), offset_, format_)));
}

std::uint64_t FontView::GlyphOffset(int index) const {
    return offset_ + static_cast<std::uint64_t>(index) * format_.BytesPerGlyph();
}

std::optional<TableCode> FontView::CodeOf(int index) const {
    return CodeAt(GlyphOffset(index));
}

std::optional<TableCode> FontView::CodeAt(std::uint64_t glyphOffset) const {
    if (!codeForGlyph_) return std::nullopt;
    return codeForGlyph_(glyphOffset);
}

Result<std::vector<GlyphImage>, GameFileError> FontView::Decode() const {
    if (!file_) return std::vector<GlyphImage>{};
    if (unpacked_) return DecodeGlyphsInMemory(*unpacked_, offset_, format_, 0, kPageGlyphs);
    return DecodeGlyphs(*file_, offset_, format_, 0, kPageGlyphs);
}

std::uint64_t FontView::Size() const {
    if (!file_) return 0;
    return unpacked_ ? unpacked_->size() : file_->Size();
}

std::uint64_t FontView::LastOffset() const {
    return Size() > 0 ? Size() - 1 : 0;
}

void FontView::KeepSelectionShown() {
    Select(selected_);
}

}  // namespace glyphwright
