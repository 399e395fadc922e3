// The Font window, offscreen: a page of 256 glyphs decoded and drawn, and each step through a
// 64 MiB file (a byte, a row, a page) taken by its key and drawn, timed from the key to the end
// of the grid's repaint; and, in fresh processes, the peak memory of paging through a 1 MiB and
// a 1 GiB (sparse) file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
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
    OpenGameFile game;
    Document document;
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
        document.SetStartCode("00");
        auto& anchor = test::Find<QLineEdit>(window, "txtAnchor");
        anchor.setText(QStringLiteral("10"));
        emit anchor.returnPressed();
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
