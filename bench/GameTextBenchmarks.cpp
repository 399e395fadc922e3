// The game text window on a 4 KiB page of a kanji game, read again after a change of the table:
// the codes as MAKE TABLE would leave them, the page read with the longest match first through
// 8,000 two-byte entries, and the rows handed to the view. Drawing comes after, from the event
// loop, and is not timed here.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QTableView>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Session.h"
#include "core/table/DocumentCommand.h"
#include "gametext/GameTextWindow.h"

namespace glyphwright::bench {
namespace {

void GameTextPageAfterChange(benchmark::State& state) {
    test::Session session;
    constexpr int kEntries = 8000;
    std::vector<std::pair<TableCode, TableEntry>> entries;
    for (int i = 0; i < kEntries; ++i) {
        const std::string kanji{static_cast<char>(0xB0 + (i / 94) % 32),
                                static_cast<char>(0xA1 + i % 94)};
        entries.emplace_back(TableCode::TwoByte(static_cast<std::uint16_t>(0x8800 + i)),
                             TableEntry{kanji});
    }
    for (int code = 0x20; code < 0x80; ++code) {
        entries.emplace_back(TableCode::OneByte(static_cast<ByteCode>(code)),
                             TableEntry{std::string(1, static_cast<char>(code))});
    }
    DocumentCommand::PutEntries(session.document, entries).Do(session.document);
    // Nine codes in ten two-byte, the rest one-byte.
    std::vector<char> page;
    std::mt19937 random(4096);
    while (page.size() < 4096) {
        if (random() % 10 == 0) {
            page.push_back(static_cast<char>(0x20 + random() % 0x60));
            continue;
        }
        const auto code = static_cast<int>(0x8800 + random() % kEntries);
        page.push_back(static_cast<char>(code >> 8));
        page.push_back(static_cast<char>(code & 0xFF));
    }
    page.resize(4096);
    const std::string path = ScratchPath("gametext-kanji.bin");
    std::ofstream(path, std::ios::binary).write(page.data(), 4096);
    session.user.openAnswers.push_back(path);
    test::Find<QAction>(session.main(), "actionOpenGameFile").trigger();
    test::Find<QAction>(session.main(), "actionGameText").trigger();
    QCoreApplication::processEvents();
    const QAbstractItemModel& rows =
        *test::Find<QTableView>(*session.windows.Text(), "tblText").model();
    if (rows.rowCount() != 256) std::abort();

    long changes = 0;
    for (auto _ : state) {
        // A change of the start code: the window reads its page again.
        DocumentCommand::SetStartCode(session.document, changes++ % 2 == 0 ? "20" : "21")
            .Do(session.document);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    // The page must have been read through the table.
    if (rows.index(0, 2).data().toString().isEmpty()) std::abort();
}
BENCHMARK(GameTextPageAfterChange)->Name(kGameTextTwoBytePage)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
