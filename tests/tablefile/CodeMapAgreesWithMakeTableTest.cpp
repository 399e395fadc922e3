// The code map against the file MAKE TABLE then writes, for random Table Orders: sets, own
// starts, single entries, removals, slots left by earlier runs, and start codes good and bad.
#include <gtest/gtest.h>

#include <random>

#include "core/table/CodeMap.h"
#include "core/text/EucJp.h"
#include "support/TableOrder.h"
#include "support/TempFolder.h"
#include "tablefile/MakeTable.h"
#include "tablefile/ScriptedUser.h"

namespace glyphwright {
namespace {

using test::ReadBytes;
using test::RecordOrder;
using test::ScriptedUser;
using test::TempFolder;

// The classic file as the map tells it: its range, and a line for each code it writes.
std::string FileOfMap(const CodeMap& map) {
    std::string file;
    for (int code = 0; code < kCodeCount; ++code) {
        if (!map.Writes(code)) continue;
        file += "0123456789ABCDEF"[code >> 4];
        file += "0123456789ABCDEF"[code & 0xF];
        // The map shows Unicode text; the classic file holds it in EUC-JP.
        file += '=' + EncodeEucJp(map.cells[static_cast<std::size_t>(code)].text).value() +
                "\r\r\n";
    }
    return file + "\r\r\n";
}

TEST(CodeMapAgreesWithMakeTableTest, TheMapIsTheFileMakeTableWrites) {
    std::mt19937 random(20261208);
    auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const char* names[] = {"Hiragana",           "Katakana",           "Dakuten", "Handakuten",
                           "Uppercase Alphabet", "Lowercase Alphabet", "0-9",     "x"};
    const char* entries[] = {"あ", "ー", "!?", "A", "th", "漢字"};
    const char* badStarts[] = {"", "G", " 1", "100", "-1"};
    TempFolder folder;
    Workspace ws;
    int written = 0;
    int failed = 0;
    for (int round = 0; round < 400; ++round) {
        if (pick(2) == 0) ws = Workspace{};  // else the slots of earlier runs stay
        TableOrder order;
        for (int line = pick(7); line >= 0; --line) {
            if (pick(4) == 0) {
                const std::string text = entries[pick(6)];
                ws.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(pick(256))), {text});
                ASSERT_TRUE(order.AppendEntryLine(text));
            } else {
                RecordOrder(order, {{names[pick(8)], pick(3) == 0 ? pick(256) : 0}});
            }
        }
        for (int removals = pick(3); removals > 0 && order.LineCount() > 0; --removals) {
            order.Remove(pick(order.LineCount()));
        }
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", pick(4) == 0 ? pick(256) : pick(48));
        const std::string start = pick(10) == 0 ? badStarts[pick(5)] : hex;

        const Workspace before = ws;
        const CodeMap map = ComposeCodeMap(ws.TableText.Texts(), order, start);
        EXPECT_EQ(ws.TableText, before.TableText) << "round " << round;  // the map changes nothing
        EXPECT_EQ(ws.LastCode, before.LastCode);
        EXPECT_EQ(ws.CurrentCode, before.CurrentCode);

        ScriptedUser user;
        user.startCodeAnswers = {start};  // an empty box is asked for, and answered the same
        user.pathAnswers = {folder / "t.tbl"};
        std::filesystem::remove(folder / "t.tbl");
        const auto made = MakeTable(ws, order, start, user);
        ASSERT_EQ(made.ok(), !map.failure) << "round " << round;
        if (!made) {
            ++failed;
            if (const auto* typed = std::get_if<StartCodeError>(&made.error())) {
                EXPECT_EQ(std::get<HexError>(*map.failure), typed->error);
            } else {
                const auto& expected = std::get<AssemblyError>(made.error());
                const auto& shown = std::get<AssemblyError>(*map.failure);
                EXPECT_EQ(shown.kind, expected.kind);
                EXPECT_EQ(shown.line, expected.line);
                EXPECT_EQ(shown.setName, expected.setName);
                EXPECT_EQ(shown.setStart, expected.setStart);
            }
            EXPECT_EQ(ws.TableText, before.TableText);
            continue;
        }
        ++written;
        EXPECT_EQ(ReadBytes(folder / "t.tbl"), FileOfMap(map)) << "round " << round;
        EXPECT_EQ(map.first, ws.CurrentCode);
        EXPECT_EQ(map.last, ws.LastCode);
        for (int code = 0; code < kCodeCount; ++code) {
            EXPECT_EQ(map.cells[static_cast<std::size_t>(code)].text,
                      ws.TableText.Texts()[static_cast<std::size_t>(code)])
                << "round " << round << " code " << code;
        }
    }
    EXPECT_GT(written, 150);
    EXPECT_GT(failed, 40);
}

}  // namespace
}  // namespace glyphwright
