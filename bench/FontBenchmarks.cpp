// The Font window, offscreen: a page of 256 glyphs decoded and drawn, and each step through a
// 64 MiB file (a byte, a row, a page) taken by its key and drawn, timed from the key to the end
// of the grid's repaint; and, in fresh processes, the peak memory of paging through a 1 MiB and
// a 1 GiB (sparse) file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "DocumentHistory.h"
#include "OpenGameFile.h"
#include "Session.h"
#include "font/FontGrid.h"
#include "font/FontWindow.h"

namespace glyphwright::bench {

namespace {

// A file of `mib` MiB of random bytes, written on first use; a sparse one has a hole for most of
// its length, with random bytes at its start and end.
std::string FontBenchFile(std::size_t mib, bool sparse) {
    const std::string path =
        ScratchPath("font-" + std::to_string(mib) + (sparse ? "-sparse" : "") + ".bin");
    const std::uint64_t size = std::uint64_t{mib} << 20;
    if (::access(path.c_str(), F_OK) == 0) return path;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::mt19937 random(64);
    std::vector<std::uint8_t> block(1 << 20);
    for (auto& byte : block) byte = static_cast<std::uint8_t>(random());
    for (std::uint64_t at = 0; at < size; at += block.size()) {
        if (sparse && at != 0 && at + block.size() < size) continue;
        if (::pwrite(fd, block.data(), block.size(), static_cast<off_t>(at)) < 0) break;
    }
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) std::perror("ftruncate");
    ::close(fd);
    return path;
}

struct FontScreen {
    Document document;
    OpenGameFile game{document};
    DocumentHistory history{document};
    test::ScriptedWindowUser user;
    FontWindow window{history, game, user};
    FontGrid& grid = test::Find<FontGrid>(window, "glyphGrid");

    FontScreen(const std::string& path, int format, int side, int zoom) {
        game.Set(GameFile::Open(path).value());
        test::Find<QComboBox>(window, "cmbFormat").setCurrentIndex(format);
        test::Find<QSpinBox>(window, "spnWidth").setValue(side);
        test::Find<QSpinBox>(window, "spnHeight").setValue(side);
        test::Find<QSpinBox>(window, "spnZoom").setValue(zoom);
        window.show();
        QCoreApplication::processEvents();
    }

    // Hiragana in the table from 00 and the glyph selected anchored at code 10: every glyph
    // captioned with its code and the character MAKE TABLE would write.
    void Anchor() {
        history.Run(DocumentCommand::IncludeSet(document, "Hiragana"), QStringLiteral("Include"));
        history.Run(DocumentCommand::SetStartCode(document, "00"), QStringLiteral("Start Code"));
        auto& anchor = test::Find<QLineEdit>(window, "txtAnchor");
        anchor.setText(QStringLiteral("10"));
        emit anchor.returnPressed();
    }

    // Suggestions on, against the default repertoires (3,500 candidates), and the page read with
    // the references drawn.
    void Suggest() {
        test::Find<QCheckBox>(window, "chkSuggest").setChecked(true);
        WaitForReading();
    }

    void WaitForReading() {
        QElapsedTimer waited;
        waited.start();
        while (window.Reading() && waited.elapsed() < 60000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    }

    // The key, then the grid repainted at once, as the event loop would next.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &press);
        grid.repaint();
    }
};

// Formats by their place in the window's list: 1bpp 8x8 and snes4bpp 16x16, both at 2x; the
// last with the font anchored, so each glyph has its caption.
void FontPage(benchmark::State& state) {
    const bool large = state.range(0) != 0;
    FontScreen screen(FontBenchFile(64, false), large ? 3 : 0, large ? 16 : 8, 2);
    if (state.range(0) == 2) screen.Anchor();
    long i = 0;
    for (auto _ : state) {
        // Down and up a page in turn: each press reads, decodes and draws 256 new glyphs.
        screen.Press(i++ % 2 == 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
    }
    state.counters["glyphs"] = static_cast<double>(screen.window.View().GlyphsShown());
}
BENCHMARK(FontPage)->Name(kFontPage)->Arg(0)->Arg(1)->Arg(2)->UseRealTime();

// Steps on through the whole 64 MiB file (byte steps through a slice of it), back to the start
// at the end; the slowest step is kept beside the mean.
void FontSteps(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    FontScreen screen(FontBenchFile(64, false), 3, 16, 2);  // snes4bpp 16x16: 32 KiB a page
    if (kind == 3) screen.Anchor();
    const std::uint64_t last = screen.window.View().File()->Size() - 1;
    QElapsedTimer step;
    double worst = 0;
    for (auto _ : state) {
        if (screen.window.View().Offset() + 2 * 32768 > last) {
            state.PauseTiming();
            auto& offset = test::Find<QLineEdit>(screen.window, "txtOffset");
            offset.setText(QStringLiteral("0"));
            emit offset.returnPressed();
            state.ResumeTiming();
        }
        step.start();
        if (kind == 0) screen.Press(Qt::Key_Right, Qt::ControlModifier);
        if (kind == 1) screen.Press(Qt::Key_Down, Qt::ControlModifier);
        if (kind >= 2) screen.Press(Qt::Key_PageDown);
        worst = std::max(worst, static_cast<double>(step.nsecsElapsed()));
    }
    state.counters["worst_ns"] = worst;
}
BENCHMARK(FontSteps)->Name(kFontStep)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->UseRealTime();

// This thread's own CPU time, in nanoseconds.
double ThreadCpuNs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// A key while the page is being read on the other thread: a page down (which begins reading the
// new page) and an arrow. Timed only while a reading is under way; how many were is counted.
void FontKeyWhileReading(benchmark::State& state) {
    FontScreen screen(FontBenchFile(64, false), 3, 16, 2);
    screen.Anchor();
    screen.Suggest();  // the references drawn once
    const bool arrow = state.range(0) != 0;
    QElapsedTimer key;
    double worst = 0;
    double worstCpu = 0;
    long whileReading = 0;
    for (auto _ : state) {
        if (arrow && !screen.window.Reading()) {
            state.PauseTiming();
            screen.Press(Qt::Key_PageDown);
            state.ResumeTiming();
        }
        key.start();
        const double cpu = ThreadCpuNs();
        screen.Press(arrow ? Qt::Key_Right : Qt::Key_PageDown);
        worstCpu = std::max(worstCpu, ThreadCpuNs() - cpu);
        worst = std::max(worst, static_cast<double>(key.nsecsElapsed()));
        whileReading += screen.window.Reading() ? 1 : 0;
        state.PauseTiming();
        // Let some of the readings come in, as they would between keys.
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    screen.WaitForReading();
    state.counters["worst_ns"] = worst;
    state.counters["worst_thread_cpu_ns"] = worstCpu;
    state.counters["while_reading"] = static_cast<double>(whileReading);
}
BENCHMARK(FontKeyWhileReading)->Name(kFontKeyWhileReading)->Arg(0)->Arg(1)->UseRealTime();

// Enter on a read glyph: the guess stored as a single entry, the next glyph selected, the page's
// captions drawn again. Undone between rounds, untimed.
void FontEnterAccepts(benchmark::State& state) {
    FontScreen screen(FontBenchFile(64, false), 3, 16, 2);
    screen.Anchor();
    screen.Suggest();
    QElapsedTimer key;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        screen.window.activateWindow();
        screen.grid.setFocus();
        screen.Press(Qt::Key_Left);
        state.ResumeTiming();
        key.start();
        screen.Press(Qt::Key_Return);
        QCoreApplication::processEvents();  // and what the change posted
        worst = std::max(worst, static_cast<double>(key.nsecsElapsed()));
        state.PauseTiming();
        screen.history.Stack().undo();
        state.ResumeTiming();
    }
    state.counters["worst_ns"] = worst;
}
BENCHMARK(FontEnterAccepts)->Name(kFontEnterAccepts)->UseRealTime();

// Ctrl+A and "Accept all above confidence …" at 0 %: every guess of the page stored, as one step,
// then that step undone. Range 0: the accepting; 1: the undoing.
void FontAcceptPage(benchmark::State& state) {
    FontScreen screen(FontBenchFile(64, false), 3, 16, 2);
    // The first glyph anchored at code 00 and nothing in the table: every glyph takes its guess.
    auto& anchor = test::Find<QLineEdit>(screen.window, "txtAnchor");
    anchor.setText(QStringLiteral("00"));
    emit anchor.returnPressed();
    screen.Suggest();
    test::Find<QSpinBox>(screen.window, "spnConfidence").setValue(0);
    auto& accept = test::Find<QPushButton>(screen.window, "cmdAcceptAbove");
    const bool undoing = state.range(0) != 0;
    QElapsedTimer took;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        screen.Press(Qt::Key_A, Qt::ControlModifier);
        if (undoing) accept.click();
        state.ResumeTiming();
        took.start();
        if (undoing) {
            screen.history.Stack().undo();
        } else {
            accept.click();
        }
        // The page drawn again as the event loop next would, once for the whole step.
        QCoreApplication::processEvents();
        screen.grid.repaint();
        worst = std::max(worst, static_cast<double>(took.nsecsElapsed()));
        state.PauseTiming();
        if (!undoing) screen.history.Stack().undo();
        state.ResumeTiming();
    }
    state.counters["worst_ns"] = worst;
    if (undoing) accept.click();
    state.counters["entries"] = static_cast<double>(screen.document.Order().LineCount());
    state.counters["messages"] = static_cast<double>(screen.user.messages.size());
}
BENCHMARK(FontAcceptPage)->Name(kFontAcceptPage)->Arg(0)->Arg(1)->UseRealTime();

// A page of 256 glyphs read on the reading thread, the references drawn, from the page turned to
// the last reading heard.
void FontReadPage(benchmark::State& state) {
    FontScreen screen(FontBenchFile(64, false), 3, 16, 2);
    screen.Suggest();
    for (auto _ : state) {
        screen.Press(Qt::Key_PageDown);
        screen.WaitForReading();
    }
}
BENCHMARK(FontReadPage)->Name(kFontReadPage)->UseRealTime();

}  // namespace

int FontStepsAndPrintPeakRss(const std::string& path, char* program) {
    char platformFlag[] = "-platform";
    char platformName[] = "offscreen";
    std::vector<char*> qtArgs{program, platformFlag, platformName};
    int qtCount = static_cast<int>(qtArgs.size());
    QApplication app(qtCount, qtArgs.data());
    FontScreen screen(path, 3, 16, 2);
    // 64 places spread over the file, a page on and a row and a byte at each.
    const std::uint64_t size = screen.window.View().File()->Size();
    auto& offset = test::Find<QLineEdit>(screen.window, "txtOffset");
    for (int place = 0; place < 64; ++place) {
        offset.setText(QString::number(size / 64 * static_cast<std::uint64_t>(place), 16));
        emit offset.returnPressed();
        screen.Press(Qt::Key_PageDown);
        screen.Press(Qt::Key_Down, Qt::ControlModifier);
        screen.Press(Qt::Key_Right, Qt::ControlModifier);
    }
    std::printf("%ld\n", OwnPeakRssKb());
    return 0;
}

long FontPeakRssKb(std::size_t mib, bool sparse) {
    return ChildPeakRssKb(std::string(kFontPeakRssFlag) + FontBenchFile(mib, sparse));
}

}  // namespace glyphwright::bench
