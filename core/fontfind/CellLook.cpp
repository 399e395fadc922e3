#include "core/fontfind/CellLook.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace glyphwright::fontfind {

namespace {

// The bits set: inline whatever the processor the program is built for (without a popcount
// instruction std::popcount is a call into the compiler's library, a tenth of the whole look).
int Bits(std::uint32_t v) {
    v = v - ((v >> 1) & 0x55555555u);
    v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
    return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

// The colours of one cell and how many pixels each, ground included.
class Colours {
public:
    void Add(std::uint8_t level) {
        if (pixels_[level]++ == 0) level_[count_++] = level;
    }
    // The colours other than the ground.
    [[nodiscard]] std::size_t Count() const { return count_ - (pixels_[0] > 0 ? 1 : 0); }
    // The colour drawn most, not the ground, and its pixels.
    [[nodiscard]] std::pair<std::uint8_t, int> Main() const {
        std::uint8_t main = 0;
        int most = 0;
        for (std::size_t i = 0; i < count_; ++i) {
            const std::uint8_t level = level_[i];
            if (level != 0 && pixels_[level] > most) {
                main = level;
                most = pixels_[level];
            }
        }
        return {main, most};
    }

private:
    std::array<std::uint16_t, 256> pixels_{};
    std::array<std::uint8_t, 256> level_;
    std::size_t count_ = 0;
};

}  // namespace

Cell Look(const GlyphImage& image) {
    Cell cell;
    const int w = image.width;
    const int h = image.height;
    // Each row as a mask of its inked pixels, pixel x in bit x.
    std::array<std::uint32_t, GlyphFormat::kMaxSide> rows{};
    Colours levels;
    int ink = 0;
    const std::uint8_t* pixel = image.ink.data();
    for (int y = 0; y < h; ++y) {
        std::uint32_t row = 0;
        for (int x = 0; x < w; ++x, ++pixel) {
            row |= static_cast<std::uint32_t>(*pixel != 0) << x;
            levels.Add(*pixel);
        }
        rows[static_cast<std::size_t>(y)] = row;
        ink += Bits(row);
    }
    if (ink == 0) return cell;
    cell.blank = false;
    const std::uint32_t full = w == 32 ? ~0u : (1u << w) - 1;
    const auto row = [&](int y) { return y < 0 || y >= h ? 0u : rows[static_cast<std::size_t>(y)]; };
    int isolated = 0;  // ink pixels with no ink among their 8 neighbours
    int changes = 0;   // neighbours along a row or a column of which one is inked
    std::uint32_t columns = 0;
    int frame = 0;
    bool doubled = h >= 8;
    cell.top = -1;
    for (int y = 0; y < h; ++y) {
        const std::uint32_t r = row(y);
        const std::uint32_t around = (r << 1) | (r >> 1) | row(y - 1) | (row(y - 1) << 1) |
                                     (row(y - 1) >> 1) | row(y + 1) | (row(y + 1) << 1) |
                                     (row(y + 1) >> 1);
        isolated += Bits(r & ~around);
        changes += Bits((r ^ (r >> 1)) & (full >> 1));
        if (y + 1 < h) changes += Bits(r ^ row(y + 1));
        columns |= r;
        frame += (y == 0 || y == h - 1) ? Bits(r)
                                        : static_cast<int>((r & 1u) + (r >> (w - 1) & 1u));
        if (y % 2 == 0 && y + 1 < h && r != row(y + 1)) doubled = false;
        if (r != 0) {
            if (cell.top < 0) cell.top = y;
            cell.bottom = y;
        }
    }
    cell.doubled = doubled;
    cell.left = std::countr_zero(columns);
    cell.right = 31 - std::countl_zero(columns);
    for (int y = cell.top; y < cell.bottom; ++y) {
        if (row(y) == 0) cell.split = true;
    }
    if (w == 16 && cell.left < 7 && cell.right > 8 && ((columns >> 7 & 1u) == 0 || (columns >> 8 & 1u) == 0)) {
        cell.split = true;
    }
    cell.clearEdge = {row(0) == 0, row(h - 1) == 0, (columns & 1u) == 0, (columns >> (w - 1) & 1u) == 0};

    const double share = static_cast<double>(ink) / (w * h);
    cell.solid = share >= 0.9;
    double inkScore = 1;
    if (share < 0.04) inkScore = share / 0.04;
    if (share > 0.4) inkScore = std::max(0.0, 1 - (share - 0.4) / 0.25);
    // A font draws in one colour, sometimes with a second for a shadow or an outline; two glyphs
    // laid over each other (planes read as the wrong format) share their ink out evenly.
    const std::size_t colours = levels.Count();
    const double dominant = levels.Main().second / static_cast<double>(ink);
    double levelScore = colours <= 1 ? 1
                        : colours <= 3 ? 0.55 + 0.45 * dominant * dominant
                        : colours == 4 ? 0.4 : 0.2;
    if (colours == 2) {
        // A shadow or an outline: the second colour lies against the strokes of the first.
        const std::uint8_t main = levels.Main().first;
        std::array<std::uint32_t, GlyphFormat::kMaxSide> mainRows{};
        const std::uint8_t* at = image.ink.data();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x, ++at) {
                if (*at == main) mainRows[static_cast<std::size_t>(y)] |= 1u << x;
            }
        }
        const auto mainRow = [&](int y) {
            return y < 0 || y >= h ? 0u : mainRows[static_cast<std::size_t>(y)];
        };
        int second = 0;
        int against = 0;
        for (int y = 0; y < h; ++y) {
            const std::uint32_t other = row(y) & ~mainRow(y);
            const std::uint32_t near = mainRow(y) << 1 | mainRow(y) >> 1 | mainRow(y - 1) |
                                       mainRow(y - 1) << 1 | mainRow(y - 1) >> 1 | mainRow(y + 1) |
                                       mainRow(y + 1) << 1 | mainRow(y + 1) >> 1;
            second += Bits(other);
            against += Bits(other & near);
        }
        if (second > 0 && against * 10 >= second * 9) levelScore = std::max(levelScore, 0.95);
    }
    // Strokes: most ink touches other ink, across, down or slanting.
    const double lonely = static_cast<double>(isolated) / ink;
    const double connScore = std::clamp((0.95 - lonely) / 0.35, 0.05, 1.0);
    // Strokes are smooth: next to an ink pixel lies mostly more ink or more ground along a row
    // or a column; noise and code change every other pixel.
    const double changing = static_cast<double>(changes) / (h * (w - 1) + w * (h - 1));
    const double smoothScore = std::clamp((0.5 - changing) / 0.2, 0.05, 1.0);
    const double ring = 2.0 * (w + h) - 4;
    const double edgeScore = 1 - 0.7 * std::min(1.0, frame / ring / 0.5);
    cell.score = inkScore * levelScore * connScore * edgeScore * smoothScore;
    return cell;
}

}  // namespace glyphwright::fontfind
