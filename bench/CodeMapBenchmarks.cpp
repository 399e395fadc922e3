// The code map on the 1000-line order, shown offscreen: the work of its update after a change
// (the preview and the model's update; the repaint comes after, from the event loop) and how
// many repaints of the grid one change costs. Include and remove with the map open are in
// WidgetBenchmarks.cpp, beside the same actions with it closed.

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>

#include "BenchSupport.h"
#include "Session.h"
#include "codemap/CodeMapWindow.h"
#include "core/table/CodeMap.h"
#include "core/table/DocumentCommand.h"
#include "support/LoadOrder.h"

namespace glyphwright::bench {
namespace {

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The 1000-line load order put straight into the state, as the windows leave it.
void Load(test::Session& session) {
    session.document.Replace(evidence::LoadedContents(evidence::MakeLoadOrder(1000)));
}

// Runs `change(i)` as the timed part, then lets the map repaint outside the timing.
template <class Change>
void TimeMapUpdate(benchmark::State& state, Change&& change) {
    test::Session session;
    Load(session);
    test::Retype(test::Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("00"));
    session.windows.ShowCodeMap();
    Settle();
    test::PaintCounter paints(
        *test::Find<QTableView>(*session.windows.Map(), "tblCodeMap").viewport());
    long changes = 0;
    int mostPaints = 0;
    QElapsedTimer repaint;
    double repaintNs = 0;
    for (auto _ : state) {
        change(session, changes++);
        state.PauseTiming();
        paints.count = 0;
        repaint.start();
        Settle();
        repaintNs += static_cast<double>(repaint.nsecsElapsed());
        mostPaints = std::max(mostPaints, paints.count);
        state.ResumeTiming();
    }
    // The most repaints any one change cost, and the time the windows took to repaint.
    state.counters["repaints"] = static_cast<double>(mostPaints);
    state.counters["repaint_ns"] =
        benchmark::Counter(repaintNs, benchmark::Counter::kAvgIterations);
}

// A relative start given and taken back on the last line ("0-9" at F6 or F5): its codes move by
// one, and the range with them.
void MapAfterRelativeStart(benchmark::State& state) {
    TimeMapUpdate(state, [](test::Session& session, long i) {
        const int line = session.order.LineCount() - 1;
        DocumentCommand::SetLineStart(session.document, line, static_cast<ByteCode>(0xF6 - (i % 2)))
            .Do(session.document);
    });
}
BENCHMARK(MapAfterRelativeStart)->Name(kCodeMapAfterStart)->UseRealTime();

// The start code turned from 00 to one that is no hex byte and back: every laid cell changes.
void MapWhenEveryCellChanges(benchmark::State& state) {
    TimeMapUpdate(state, [](test::Session& session, long i) {
        DocumentCommand::SetStartCode(session.document, i % 2 == 0 ? "G" : "00")
            .Do(session.document);
    });
}
BENCHMARK(MapWhenEveryCellChanges)->Name(kCodeMapAllCells)->UseRealTime();

// The map's core alone: the start code read and the 1000 lines laid, nothing stored.
void ComposeMap(benchmark::State& state) {
    test::Session session;
    Load(session);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeCodeMap(session.workspace.TableText.Texts(), session.order, "00"));
    }
}
BENCHMARK(ComposeMap)->Name(kCodeMapCore)->UseRealTime();

// A page of two-byte codes chosen in the page selector, with 8,000 two-byte entries (kanji, all
// different) on the pages 88 to A7: the page composed, every cell announced and the grid drawn,
// all timed. The pages are taken in turn, so that most switches come to a page not shown lately;
// the slowest switch is kept beside the mean.
void MapPageSwitch(benchmark::State& state) {
    test::Session session;
    std::vector<std::pair<TableCode, TableEntry>> entries;
    constexpr int kEntries = 8000;
    for (int i = 0; i < kEntries; ++i) {
        // EUC-JP kanji rows B0-F4, 94 cells a row.
        const char bytes[] = {static_cast<char>(0xB0 + i / 94), static_cast<char>(0xA1 + i % 94),
                              0};
        entries.emplace_back(TableCode::TwoByte(static_cast<std::uint16_t>(0x8800 + i)),
                             TableEntry{bytes});
    }
    DocumentCommand::PutEntries(session.document, entries).Do(session.document);
    test::Retype(test::Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("00"));
    session.windows.ShowCodeMap();
    Settle();
    auto& selector = test::Find<QComboBox>(*session.windows.Map(), "cboPage");
    const int pages = (kEntries + 255) / 256;
    long switches = 0;
    double worst = 0;
    QElapsedTimer timer;
    double modelNs = 0;
    for (auto _ : state) {
        timer.start();
        // Item 0 is the one-byte page; item 1 + b the two-byte codes of first byte b.
        selector.setCurrentIndex(1 + 0x88 + static_cast<int>(switches++ % pages));
        modelNs += static_cast<double>(timer.nsecsElapsed());
        Settle();
        worst = std::max(worst, static_cast<double>(timer.nsecsElapsed()));
    }
    state.counters["worst_ns"] = worst;
    // The part before the drawing: the page composed and its cells announced.
    state.counters["model_ns"] = benchmark::Counter(modelNs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(MapPageSwitch)->Name(kCodeMapPageSwitch)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
