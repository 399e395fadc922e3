// The Table Order actions on a 1000-line order through the real windows, drawn offscreen: the
// time from the click to the windows having handled it and repainted.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "BenchSupport.h"
#include "Session.h"
#include "support/LoadOrder.h"

namespace glyphwright::bench {
namespace {

using test::Click;
using test::ClickLine;
using test::Find;
using test::Session;

QString Hex(int code) {
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The windows with the 1000-line load order entered through them, as a user would. With
// `mapOpen`, start code 00 is typed and the code map shown, so that it follows every action.
std::unique_ptr<Session> LoadedSession(bool mapOpen = false) {
    auto session = std::make_unique<Session>();
    for (const evidence::LoadLine& line : evidence::MakeLoadOrder(1000)) {
        if (line.single) {
            session->InsertSingle(Hex(line.code), QString::fromStdString(line.text));
            continue;
        }
        session->IncludeSet(QString::fromStdString(line.name));
        if (line.start != 0) {
            const int row = session->list().model()->rowCount() - 1;
            session->list().scrollTo(session->list().model()->index(row, 0));
            session->GiveStart(row, Hex(line.start));
        }
    }
    if (mapOpen) {
        test::Retype(Find<QLineEdit>(session->main(), "txtTblStartCode"), QStringLiteral("00"));
        session->windows.ShowCodeMap();
    }
    Settle();
    return session;
}

void ChooseLine(Session& session, int row) {
    session.list().scrollTo(session.list().model()->index(row, 0));
    ClickLine(session.list(), row);
}

// INCLUDE, then "Relative  Entry": the set in the selector becomes line 1000.
void IncludeThroughWindows(benchmark::State& state, bool mapOpen) {
    const auto session = LoadedSession(mapOpen);
    ChooseLine(*session, 999);
    Click(session->main(), "cmdRemove");  // 999 lines, so that each include makes line 1000
    session->selector().setCurrentText(QStringLiteral("Katakana"));
    Settle();
    for (auto _ : state) {
        Click(session->main(), "cmdInclude");
        Click(session->PickDialog(), "cmdRelText");
        Settle();
        state.PauseTiming();
        if (session->list().model()->rowCount() != 1000) state.SkipWithError("the include added no line");
        ChooseLine(*session, 999);
        Click(session->main(), "cmdRemove");
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(IncludeThroughWindows, closed, false)->Name(kIncludeWidgets)->UseRealTime();
BENCHMARK_CAPTURE(IncludeThroughWindows, open, true)->Name(kIncludeWidgetsMapOpen)->UseRealTime();

// A click on line 500, which also shows the relative start dialog, then REMOVE.
void RemoveThroughWindows(benchmark::State& state, bool mapOpen) {
    const auto session = LoadedSession(mapOpen);
    session->list().scrollTo(session->list().model()->index(500, 0));
    Settle();
    for (auto _ : state) {
        ClickLine(session->list(), 500);
        Click(session->main(), "cmdRemove");
        Settle();
        state.PauseTiming();
        if (session->list().model()->rowCount() != 999) state.SkipWithError("REMOVE removed no line");
        session->IncludeSet(QStringLiteral("0-9"));  // back to 1000 lines
        session->list().scrollTo(session->list().model()->index(500, 0));
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(RemoveThroughWindows, closed, false)->Name(kRemoveWidgets)->UseRealTime();
BENCHMARK_CAPTURE(RemoveThroughWindows, open, true)->Name(kRemoveWidgetsMapOpen)->UseRealTime();

// MAKE TABLE from start code 00, the Save dialog answered at once with the same path.
void MakeTableThroughWindows(benchmark::State& state) {
    const auto session = LoadedSession();
    test::Retype(Find<QLineEdit>(session->main(), "txtTblStartCode"), QStringLiteral("00"));
    const std::string path = ScratchPath("widgets.tbl");
    for (auto _ : state) {
        session->user.pathAnswers.push_back(path);
        Click(session->main(), "cmdSave");
        Settle();
        if (!session->user.messages.empty()) {
            state.SkipWithError(session->user.messages.front().text.c_str());
            break;
        }
    }
}
BENCHMARK(MakeTableThroughWindows)->Name(kMakeTableLongWidgets)->UseRealTime();

}  // namespace
}  // namespace glyphwright::bench
