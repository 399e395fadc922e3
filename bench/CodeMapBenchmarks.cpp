// The code map on the 1000-line order, shown offscreen: the work of its update after a change
// (the preview and the model's update; the repaint comes after, from the event loop) and how
// many repaints of the grid one change costs. Include and remove with the map open are in
// WidgetBenchmarks.cpp, beside the same actions with it closed.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>

#include "BenchSupport.h"
#include "Session.h"
#include "codemap/CodeMapWindow.h"
#include "core/CodeMap.h"
#include "evidence/LoadOrder.h"

namespace glyphwright::bench {
namespace {

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The 1000-line load order put straight into the state, as the windows leave it.
void Load(test::Session& session) {
    DocumentContents contents;
    for (const evidence::LoadLine& line : evidence::MakeLoadOrder(1000)) {
        if (line.single) {
            contents.table.TableText[static_cast<std::size_t>(line.code)] = line.text;
            (void)contents.order.AppendEntryLine(line.text);
            continue;
        }
        (void)contents.order.AppendSetLine(line.name);
        if (line.start != 0) {
            contents.order.SetStart(contents.order.LineCount() - 1,
                                    static_cast<ByteCode>(line.start));
        }
    }
    session.document.Replace(std::move(contents));
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
        session.document.SetStartCode(i % 2 == 0 ? "G" : "00");
    });
}
BENCHMARK(MapWhenEveryCellChanges)->Name(kCodeMapAllCells)->UseRealTime();

// The map's core alone: the start code read and the 1000 lines laid, nothing stored.
void ComposeMap(benchmark::State& state) {
    test::Session session;
    Load(session);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeCodeMap(session.workspace.TableText, session.order, "00"));
    }
}
BENCHMARK(ComposeMap)->Name(kCodeMapCore)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
