#include "core/table/TwoBytePage.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

const MapCell& Cell(const std::array<MapCell, kCodeCount>& page, int second) {
    return page[static_cast<std::size_t>(second)];
}

// Held entries on three pages, the first and last code of page 81 among them, and one code of
// page 80 and 82 beside it, which page 81 must not show.
TwoByteTable Held() {
    return {{0x80FF, {"before", EntryKind::Ordinary}},
            {0x8100, {"first", EntryKind::Ordinary}},
            {0x8140, {"held", EntryKind::Ordinary}},
            {0x81FF, {"last", EntryKind::Ordinary}},
            {0x8200, {"after", EntryKind::Ordinary}}};
}

TEST(TwoBytePageTest, APageShowsItsOwnCodesHeldAndLaidOverThem) {
    const TwoByteTable held = Held();
    const LaidTwoByte laid = {{0x8140, {"laid", 2, -1}},  // over a held entry
                              {0x8141, {"same", 3, 2}},   // where nothing is held
                              {0x81FF, {"last", 4, -1}},  // the same bytes as held
                              {0x8300, {"other", 5, -1}}};
    const auto page = ComposeTwoBytePage(held, &laid, 0x81, false);

    EXPECT_EQ(Cell(page, 0x00), (MapCell{"first", CellSource::Held, -1, -1, "", false}));
    EXPECT_EQ(Cell(page, 0x40), (MapCell{"laid", CellSource::Laid, 2, -1, "held", false}));
    EXPECT_EQ(Cell(page, 0x41), (MapCell{"same", CellSource::Laid, 3, 2, "", false}));
    // Laid over the same bytes, nothing is replaced.
    EXPECT_EQ(Cell(page, 0xFF), (MapCell{"last", CellSource::Laid, 4, -1, "", false}));
    int shown = 0;
    for (const MapCell& cell : page) shown += cell.source != CellSource::Empty ? 1 : 0;
    EXPECT_EQ(shown, 4);  // nothing of 80FF, 8200 or 8300

    // Without a laid order, what is held; written, every cell of the page is in range.
    const auto alone = ComposeTwoBytePage(held, nullptr, 0x81, true);
    EXPECT_EQ(Cell(alone, 0x40), (MapCell{"held", CellSource::Held, -1, -1, "", true}));
    EXPECT_EQ(Cell(alone, 0x41), (MapCell{"", CellSource::Empty, -1, -1, "", true}));
    // The page of the last first byte ends at FFFF without running past it.
    const auto top =
        ComposeTwoBytePage({{0xFFFF, {"end", EntryKind::EndCode}}}, nullptr, 0xFF, false);
    EXPECT_EQ(Cell(top, 0xFF).text, "end");
}

TEST(TwoBytePageTest, PagesInUseCountEachCodeOnce) {
    const TwoByteTable held = Held();
    EXPECT_EQ(TwoBytePagesInUse(held, nullptr),
              (std::vector<PageInUse>{{0x80, 1}, {0x81, 3}, {0x82, 1}}));
    // A member laid over a held code is one code; one laid on a new page opens it.
    const LaidTwoByte laid = {
        {0x8140, {"laid", 0, -1}}, {0x8141, {"new", 0, -1}}, {0xFF00, {"top", 1, -1}}};
    EXPECT_EQ(TwoBytePagesInUse(held, &laid),
              (std::vector<PageInUse>{{0x80, 1}, {0x81, 4}, {0x82, 1}, {0xFF, 1}}));
    EXPECT_TRUE(TwoBytePagesInUse({}, nullptr).empty());
}

}  // namespace
}  // namespace glyphwright
