// Runs every benchmark in one process and prints one table: MAKE TABLE against the floor of
// writing its bytes, start-up and memory against a bare Qt window, the Table Order actions on
// a 1000-line order, and the relative search against reading its file.
//
//   glyphwright_bench [--startup-runs=N] [--no-startup] [--details] [benchmark options]
//
// --details also prints Google Benchmark's own report on stderr.
//
// Start-up needs an X display with the Damage extension in $DISPLAY (bench/run starts Xvfb).

#include <benchmark/benchmark.h>
#include <sys/utsname.h>

#include <algorithm>
#include <tuple>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "StartupProbe.h"

#ifdef GLYPHWRIGHT_WIDGET_BENCHMARKS
#include <QApplication>
#endif

namespace glyphwright::bench {
namespace {

// Keeps the time per iteration of each benchmark, in nanoseconds, and passes the runs on to
// `echo` if there is one.
class Collector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override {
        return echo == nullptr || echo->ReportContext(context);
    }
    void Finalize() override {
        if (echo != nullptr) echo->Finalize();
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        if (echo != nullptr) echo->ReportRuns(runs);
        for (const Run& run : runs) {
            std::string name = run.benchmark_name();
            // Run with a fixed count, a benchmark's name also says "/iterations:N".
            for (const char* tail : {"/real_time", "/iterations:"}) {
                if (const auto suffix = name.find(tail); suffix != std::string::npos) {
                    name.erase(suffix);
                }
            }
            if (run.error_occurred) {
                errors[name] = run.error_message;
                continue;
            }
            // With repetitions the median stands for the benchmark; without, its one run does.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && (run.run_type != Run::RT_Iteration || medians.count(name) != 0))
                continue;
            if (median) medians.insert(name);
            if (const auto counted = run.counters.find("repaints"); counted != run.counters.end())
                repaints[name] = counted->second.value;
            if (const auto counted = run.counters.find("worst_ns"); counted != run.counters.end())
                worst[name] = counted->second.value;
            for (const char* share : {kFirstShare, kTopThreeShare, kFoundShare, kFalseShare}) {
                if (const auto counted = run.counters.find(share); counted != run.counters.end())
                    shares[name + '/' + share] = counted->second.value;
            }
            if (const auto counted = run.counters.find("worst_thread_cpu_ns");
                counted != run.counters.end())
                worstCpu[name] = counted->second.value;
            nanoseconds[name] =
                run.GetAdjustedRealTime() * (run.time_unit == benchmark::kNanosecond    ? 1.0
                                             : run.time_unit == benchmark::kMicrosecond ? 1e3
                                             : run.time_unit == benchmark::kMillisecond ? 1e6
                                                                                        : 1e9);
        }
    }
    std::map<std::string, double> nanoseconds;
    std::map<std::string, std::string> errors;
    std::map<std::string, double> repaints;  // per iteration, where a benchmark counts them
    std::map<std::string, double> shares;    // "name/counter": Find Font's shares, in per cent
    std::map<std::string, double> worst;     // the slowest iteration, where a benchmark keeps it
    // The most CPU time the window's thread spent on one iteration: the slowest iteration less
    // the time the system gave to other threads and processes.
    std::map<std::string, double> worstCpu;
    BenchmarkReporter* echo = nullptr;

private:
    std::set<std::string> medians;
};

std::string FirstValue(const char* file, const std::string& key, char separator) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) == 0) {
            std::string value = line.substr(line.find(separator) + 1);
            value.erase(0, value.find_first_not_of(" \t\""));
            value.erase(value.find_last_not_of(" \t\"") + 1);
            return value;
        }
    }
    return "?";
}

std::string Machine() {
    utsname system{};
    ::uname(&system);
    const long memKb = std::atol(FirstValue("/proc/meminfo", "MemTotal", ':').c_str());
    char text[512];
    std::snprintf(text, sizeof text, "%u cores, %s, %.1f GiB memory, %s (Linux %s)",
                  std::thread::hardware_concurrency(),
                  FirstValue("/proc/cpuinfo", "model name", ':').c_str(), memKb / 1048576.0,
                  FirstValue("/etc/os-release", "PRETTY_NAME", '=').c_str(), system.release);
    return text;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Time(double ns) {
    char text[32];
    if (ns < 1e3)
        std::snprintf(text, sizeof text, "%.0f ns", ns);
    else if (ns < 1e6)
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    return text;
}

struct Row {
    std::string figure;
    std::string measured;
    std::string yardstick;
    std::string ratio;
    std::string aim;
    std::string verdict;
};

void Print(const std::vector<Row>& rows) {
    std::size_t width[5] = {6, 8, 9, 5, 3};
    for (const Row& r : rows) {
        width[0] = std::max(width[0], r.figure.size());
        width[1] = std::max(width[1], r.measured.size());
        width[2] = std::max(width[2], r.yardstick.size());
        width[3] = std::max(width[3], r.ratio.size());
        width[4] = std::max(width[4], r.aim.size());
    }
    auto line = [&](const Row& r) {
        std::printf("| %-*s | %*s | %-*s | %*s | %-*s | %s |\n", int(width[0]), r.figure.c_str(),
                    int(width[1]), r.measured.c_str(), int(width[2]), r.yardstick.c_str(),
                    int(width[3]), r.ratio.c_str(), int(width[4]), r.aim.c_str(),
                    r.verdict.c_str());
    };
    line({"figure", "measured", "yardstick", "ratio", "aim", "met"});
    std::printf("|%s|%s|%s|%s|%s|-----|\n", std::string(width[0] + 2, '-').c_str(),
                std::string(width[1] + 2, '-').c_str(), std::string(width[2] + 2, '-').c_str(),
                std::string(width[3] + 2, '-').c_str(), std::string(width[4] + 2, '-').c_str());
    for (const Row& r : rows) line(r);
}

}  // namespace
}  // namespace glyphwright::bench

int main(int argc, char* argv[]) {
    using namespace glyphwright::bench;
    if (argc == 2 &&
        std::strncmp(argv[1], kSearchPeakRssFlag, std::strlen(kSearchPeakRssFlag)) == 0)
        return SearchAndPrintPeakRss(argv[1] + std::strlen(kSearchPeakRssFlag));
#ifdef GLYPHWRIGHT_WIDGET_BENCHMARKS
    if (argc == 2 && std::strncmp(argv[1], kFontPeakRssFlag, std::strlen(kFontPeakRssFlag)) == 0)
        return FontStepsAndPrintPeakRss(argv[1] + std::strlen(kFontPeakRssFlag), argv[0]);
#endif
    int startupRuns = 20;
    bool startup = true;
    bool details = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--startup-runs=", 15) == 0)
            startupRuns = std::atoi(argv[i] + 15);
        else if (std::strcmp(argv[i], "--no-startup") == 0)
            startup = false;
        else if (std::strcmp(argv[i], "--details") == 0)
            details = true;
        else
            rest.push_back(argv[i]);
    }
    // Disk timings swing with whatever else the machine is doing, so by default every benchmark
    // runs five times, the runs of all benchmarks shuffled together, and the medians are compared.
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    const bool ownRepetitions = std::any_of(rest.begin(), rest.end(), [](const char* a) {
        return std::strncmp(a, "--benchmark_repetitions", 23) == 0;
    });
    if (!ownRepetitions) {
        rest.insert(rest.begin() + 1, {repetitions, interleave});
    }
    int restCount = static_cast<int>(rest.size());

#ifdef GLYPHWRIGHT_WIDGET_BENCHMARKS
    // The widget benchmarks draw offscreen; the programs started for the start-up figures still
    // get the real display, since the platform is chosen here and not through the environment.
    char platformFlag[] = "-platform";
    char platformName[] = "offscreen";
    std::vector<char*> qtArgs{argv[0], platformFlag, platformName};
    int qtCount = static_cast<int>(qtArgs.size());
    QApplication app(qtCount, qtArgs.data());
#endif

    benchmark::Initialize(&restCount, rest.data());
    Collector collector;
    // With --details, Google Benchmark's own report of every run goes to stderr as well.
    benchmark::ConsoleReporter console;
    console.SetOutputStream(&std::cerr);
    console.SetErrorStream(&std::cerr);
    if (details) collector.echo = &console;
    benchmark::RunSpecifiedBenchmarks(&collector);
    auto ns = [&](const std::string& name) {
        const auto found = collector.nanoseconds.find(name);
        return found == collector.nanoseconds.end() ? -1.0 : found->second;
    };

    std::vector<Row> rows;
    auto ratioRow = [&](std::string figure, double measured, std::string yardstickName,
                        double yardstick, std::string (*show)(double), double aim) {
        if (measured < 0 || yardstick <= 0) {
            rows.push_back({figure, "n/a", yardstickName, "", "", "not measured"});
            return;
        }
        const double ratio = measured / yardstick;
        char ratioText[32], aimText[32];
        std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
        std::snprintf(aimText, sizeof aimText, "<= %.2fx", aim);
        // A row without an aim only shows where the time goes.
        rows.push_back({figure, show(measured), yardstickName + " " + show(yardstick), ratioText,
                        aim > 0 ? aimText : "", aim > 0 ? (ratio <= aim ? "yes" : "NO") : ""});
    };
    auto actionRow = [&](std::string figure, const char* name) {
        const double t = ns(name);
        if (t < 0) {
            rows.push_back({figure, "n/a", "", "", "< 1 ms", "not measured"});
            return;
        }
        rows.push_back({figure, Time(t), "", "", "< 1 ms", t < 1e6 ? "yes" : "NO"});
    };

    // (a) MAKE TABLE's own work against writing the same bytes; "/0" on the disk, "/1" on tmpfs.
    const std::string onDisk = "/0", inMemory = "/1";
    ratioRow("(a) MAKE TABLE core path, 256 codes, to a file", ns(kMakeTableCore + onDisk),
             "write same bytes:", ns(kWriteFloor + onDisk), Time, 2.0);
    ratioRow("    the same on tmpfs (no disk to wait for)", ns(kMakeTableCore + inMemory),
             "write same bytes:", ns(kWriteFloor + inMemory), Time, 2.0);
    ratioRow("    on the disk, against saving those bytes atomically", ns(kMakeTableCore + onDisk),
             "atomic save:", ns(kSaveSafely), Time, 2.0);
    ratioRow("    part: atomic save (temp file, fsync, rename)", ns(kSaveSafely),
             "write same bytes:", ns(kWriteFloor + onDisk), Time, 0);
    ratioRow("    part: write + fsync of the same bytes", ns(kWriteDurably),
             "write same bytes:", ns(kWriteFloor + onDisk), Time, 0);
    ratioRow("    part: assembly + the file's bytes, in memory", ns(kAssembleFormat),
             "write same bytes:", ns(kWriteFloor + onDisk), Time, 0);

    // (b) Start-up and memory against a bare Qt Widgets window, alternating the two programs.
    if (startup) {
        // The bare window draws no text; the second yardstick adds one label, which brings in
        // the font system that any window with text needs.
        // bench/run --baseline=REV adds an earlier build of the program as a fourth yardstick.
        const char* baseline = std::getenv("GLYPHWRIGHT_BASELINE_PROGRAM");
        const int kPrograms = baseline != nullptr && *baseline != 0 ? 4 : 3;
        const char* programs[4] = {GLYPHWRIGHT_PROGRAM, BARE_WINDOW_PROGRAM,
                                   BARE_WINDOW_TEXT_PROGRAM, baseline};
        std::vector<double> shown[4], rss[4];
        try {
            for (int p = 0; p < kPrograms; ++p) ProbeStartup(programs[p]);  // warm the file cache
            for (int run = 0; run < startupRuns; ++run) {
                for (int p = 0; p < kPrograms; ++p) {
                    const StartupSample sample = ProbeStartup(programs[p]);
                    shown[p].push_back(sample.shownMs * 1e6);
                    rss[p].push_back(static_cast<double>(sample.peakRssKb));
                }
            }
            auto mib = [](double kb) {
                char text[32];
                std::snprintf(text, sizeof text, "%.1f MiB", kb / 1024);
                return std::string(text);
            };
            ratioRow(
                "(b) start-up to main window shown (median of " + std::to_string(startupRuns) + ")",
                Median(shown[0]), "bare window:", Median(shown[1]), Time, 1.15);
            ratioRow("    peak memory (VmHWM) when shown", Median(rss[0]),
                     "bare window:", Median(rss[1]), mib, 1.15);
            ratioRow("    start-up against a bare window with one label", Median(shown[0]),
                     "with label:", Median(shown[2]), Time, 0);
            ratioRow("    peak memory against a bare window with one label", Median(rss[0]),
                     "with label:", Median(rss[2]), mib, 0);
            if (kPrograms == 4) {
                const std::string before =
                    std::string("before (") + std::getenv("GLYPHWRIGHT_BASELINE_NAME") + "):";
                ratioRow("    start-up against the program before", Median(shown[0]), before,
                         Median(shown[3]), Time, 1.10);
                ratioRow("    peak memory against the program before", Median(rss[0]), before,
                         Median(rss[3]), mib, 1.10);
            }
        } catch (const std::exception& e) {
            rows.push_back({"(b) start-up", "n/a", e.what(), "", "<= 1.15x", "not measured"});
        }
    }

    // (c) The Table Order actions on a 1000-line order.
    actionRow("(c) include, 1000-line order (core)", kIncludeCore);
    actionRow("    remove line 500 of 1000 (core)", kRemoveCore);
    actionRow("    MAKE TABLE, 1000 lines, to a file (core)", kMakeTableLongCore);
#ifdef GLYPHWRIGHT_WIDGET_BENCHMARKS
    actionRow("    include, 1000-line order (widgets)", kIncludeWidgets);
    actionRow("    remove line 500 of 1000 (widgets)", kRemoveWidgets);
    actionRow("    MAKE TABLE, 1000 lines, to a file (widgets)", kMakeTableLongWidgets);

    // (d) The code map on the 1000-line order: its work after a change, its repaints, and what
    // it adds to the actions it follows.
    actionRow("(d) code map: compose, 1000 lines (core)", kCodeMapCore);
    actionRow("    map update after a relative start (preview + model)", kCodeMapAfterStart);
    actionRow("    map update when every cell changes", kCodeMapAllCells);
    for (const char* name : {kCodeMapAfterStart, kCodeMapAllCells}) {
        const auto counted = collector.repaints.find(name);
        char text[32] = "n/a";
        if (counted != collector.repaints.end())
            std::snprintf(text, sizeof text, "%.0f", counted->second);
        const bool one = counted != collector.repaints.end() && counted->second <= 1.0;
        rows.push_back({std::string("    most grid repaints for one change (") +
                            (name == kCodeMapAfterStart ? "relative start" : "every cell") + ")",
                        text, "", "", "<= 1", one ? "yes" : "NO"});
    }
    // With the map open every action must be handled and drawn within one frame at 60 Hz.
    const auto frameRow = [&](std::string figure, const char* name, const char* closed) {
        const double t = ns(name);
        if (t < 0) {
            rows.push_back({figure, "n/a", "", "", "< 16 ms", "not measured"});
            return;
        }
        const double without = ns(closed);
        char ratio[32] = "";
        if (without > 0) std::snprintf(ratio, sizeof ratio, "%.2fx", t / without);
        rows.push_back({figure, Time(t), without > 0 ? "map closed: " + Time(without) : "", ratio,
                        "< 16 ms", t < 16e6 ? "yes" : "NO"});
    };
    frameRow("    include, 1000 lines, code map open", kIncludeWidgetsMapOpen, kIncludeWidgets);
    frameRow("    remove line 500 of 1000, code map open", kRemoveWidgetsMapOpen, kRemoveWidgets);
    // A page of two-byte codes switched to and drawn, 8,000 two-byte entries: within one frame.
    for (const bool slowest : {false, true}) {
        const auto worstSwitch = collector.worst.find(kCodeMapPageSwitch);
        const double t = !slowest                               ? ns(kCodeMapPageSwitch)
                         : worstSwitch == collector.worst.end() ? -1
                                                                : worstSwitch->second;
        rows.push_back(
            {slowest ? "        slowest" : "    code map page switch, 8000 two-byte, drawn",
             t < 0 ? "n/a" : Time(t), "", "", "< 16 ms",
             t < 0      ? "not measured"
             : t < 16e6 ? "yes"
                        : "NO"});
    }
    {
        const double t = ns(kGameTextTwoBytePage);
        rows.push_back({"    game text: 4 KiB page, 8000 two-byte entries (window)",
                        t < 0 ? "n/a" : Time(t), "", "", "< 1 ms",
                        t < 0 ? "not measured" : t < 1e6 ? "yes" : "NO"});
    }
    // (f) The history and the project file on the 1000-line order.
    actionRow("(g) undo / redo a remove, 1000 lines, map open", kUndoRedoRemove);
    actionRow("    undo / redo a MAKE TABLE run over 256 codes", kUndoRedoMakeTable);
    for (const auto& [figure, name] :
         {std::pair{"    save a project, 1000 lines, 256 entries", kProjectSave},
          std::pair{"    open a project, 1000 lines, 256 entries", kProjectOpen}}) {
        const double t = ns(name);
        rows.push_back({figure, t < 0 ? "n/a" : Time(t), "", "", "< 20 ms",
                        t < 0      ? "not measured"
                        : t < 20e6 ? "yes"
                                   : "NO"});
    }
#endif

    // (e) The relative search: one pass over a 256 MiB file against reading it and running memchr
    // over it (within 1.2x; words split into pairs keep the 3x they had), and its peak memory on a small and a large file, each in a fresh process.
    const std::string search = kSearchCore;
    const std::string floor = kSearchFloor;
    ratioRow("(e) relative search, 256 MiB, 1 byte per letter", ns(search + "/0"),
             "read + memchr:", ns(floor + "/0"), Time, 1.2);
    ratioRow("    the same, 2 bytes per letter (little-endian)", ns(search + "/1"),
             "read + memchr:", ns(floor + "/0"), Time, 1.2);
    const std::string allSets = kSearchAllSets;
    ratioRow("    11 built-in + 20 user sets, 1 byte per letter", ns(allSets + "/0"),
             "read + memchr:", ns(floor + "/0"), Time, 1.2);
    ratioRow("    11 built-in + 20 user sets, 2 bytes (little-endian)", ns(allSets + "/1"),
             "read + memchr:", ns(floor + "/0"), Time, 1.2);
    const std::string pairs = kSearchPairs;
    ratioRow("    the same 31 sets, 8 kana pairs in each user set, 1 byte", ns(pairs + "/0"),
             "read + memchr:", ns(floor + "/0"), Time, 3.0);
    ratioRow("    the same 31 sets with pairs, 2 bytes (little-endian)", ns(pairs + "/1"),
             "read + memchr:", ns(floor + "/0"), Time, 3.0);
    ratioRow("    against reading alone (pread, same blocks)", ns(search + "/0"),
             "read:", ns(floor + "/1"), Time, 0);
    {
        // The dump, under its aim, with the read of the same bytes beside it.
        const double dump = ns(kDumpCore), read = ns(kDumpFloor);
        char ratio[32] = "";
        if (dump > 0 && read > 0) std::snprintf(ratio, sizeof ratio, "%.1fx", dump / read);
        rows.push_back({"(e2) dump: 10,000 strings through 4 pointer tables", dump < 0 ? "n/a" : Time(dump),
                        read < 0 ? "read: n/a" : "read: " + Time(read), ratio, "< 200 ms",
                        dump < 0 ? "not measured" : dump < 200e6 ? "yes" : "NO"});
    }
    try {
        const long small = SearchPeakRssKb(SearchBenchFile(16));
        const long large = SearchPeakRssKb(SearchBenchFile(256));
        if (small < 0 || large < 0) throw std::runtime_error("the child search failed");
        char measured[32], yardstick[48], difference[32];
        std::snprintf(measured, sizeof measured, "%.1f MiB", large / 1024.0);
        std::snprintf(yardstick, sizeof yardstick, "16 MiB file: %.1f MiB", small / 1024.0);
        std::snprintf(difference, sizeof difference, "%+.1f MiB", (large - small) / 1024.0);
        rows.push_back({"    peak memory (VmHWM) searching 256 MiB, 31 sets", measured, yardstick,
                        difference, "within 16 MiB",
                        std::labs(large - small) <= 16 * 1024 ? "yes" : "NO"});
    } catch (const std::exception& e) {
        rows.push_back({"    peak memory searching 256 MiB", "n/a", e.what(), "", "within 16 MiB",
                        "not measured"});
    }

    // (h) Find Font: the true font's place on 24 stand-in games, the stream scan's finds and
    // false finds, and find-font's time on one core beside one read of the file.
    auto shareRow = [&](std::string figure, const std::string& name, const char* counter,
                        bool atLeast, double aim) {
        const auto found = collector.shares.find(name + '/' + counter);
        if (found == collector.shares.end()) {
            rows.push_back({figure, "n/a", "", "", "", "not measured"});
            return;
        }
        char measured[32], aimText[32];
        std::snprintf(measured, sizeof measured, "%.1f %%", found->second);
        std::snprintf(aimText, sizeof aimText, "%s %.0f %%", atLeast ? ">=" : "<=", aim);
        rows.push_back({figure, measured, "", "", aimText,
                        (atLeast ? found->second >= aim : found->second <= aim) ? "yes" : "NO"});
    };
    shareRow("(h) find-font: true font first, 24 stand-in games", kFindFontAccuracy, kFirstShare,
             true, 75);
    shareRow("    true font among the first three", kFindFontAccuracy, kTopThreeShare, true, 90);
    shareRow("    stream scan, 16 MiB, 300 planted: found", kStreamScan, kFoundShare, true, 99);
    shareRow("    stream scan: reported streams false", kStreamScan, kFalseShare, false, 1);
    const std::string findFont = kFindFont;
    const std::string readOnce = kFindFontFloor;
    for (const auto& [figure, size, aim] :
         {std::tuple{"    find-font, 4 MiB game, one core", "/4", 3e9},
          std::tuple{"    find-font, 32 MiB game, one core", "/32", 20e9}}) {
        const double t = ns(findFont + size);
        const double read = ns(readOnce + size);
        char ratio[32];
        std::snprintf(ratio, sizeof ratio, "%.0fx", read > 0 ? t / read : 0.0);
        rows.push_back({figure, t < 0 ? "n/a" : Time(t), "one read: " + (read < 0 ? std::string("n/a") : Time(read)),
                        ratio, aim == 3e9 ? "< 3 s" : "< 20 s",
                        t < 0 ? "not measured" : t < aim ? "yes" : "NO"});
    }

    // Find Dictionary: the game read whole and searched, in each layout, beside reading it.
    const char* layoutNames[] = {"pairs", "two arrays", "ended entries", "length-prefixed",
                                 "pointer table"};
    for (int layout = 0; layout < 5; ++layout) {
        const double t = ns(std::string(kFindDictionary) + "/" + std::to_string(layout));
        const double read = ns(kReadGame);
        char ratio[32] = "";
        if (t > 0 && read > 0) std::snprintf(ratio, sizeof ratio, "%.0fx", t / read);
        rows.push_back({std::string(layout == 0 ? "(e2) find dictionary, 16 MiB game, "
                                                : "     find dictionary, 16 MiB game, ") +
                            layoutNames[layout],
                        t < 0 ? "n/a" : Time(t), read < 0 ? "" : "read: " + Time(read), ratio,
                        "< 5 s", t < 0 ? "not measured" : t < 5e9 ? "yes" : "NO"});
    }

#ifdef GLYPHWRIGHT_WIDGET_BENCHMARKS
    // (f) The Font window: a screen of glyphs, each step through a 64 MiB file (its mean and its
    // slowest), and the peak memory of paging through a small and a very large file.
    auto underRow = [&](std::string figure, double measured, double floor) {
        rows.push_back({figure, measured < 0 ? "n/a" : Time(measured), "", "",
                        "< " + Time(floor), measured < 0 ? "not measured"
                                           : measured < floor ? "yes" : "NO"});
    };
    const std::string page = kFontPage, step = kFontStep;
    underRow("(f) font: 256 glyphs decoded and drawn (1bpp 8x8, 2x)", ns(page + "/0"), 2e6);
    underRow("    the same, snes4bpp 16x16 at 2x", ns(page + "/1"), 2e6);
    underRow("    the same, anchored: codes and characters under them", ns(page + "/2"), 2e6);
    const char* stepNames[] = {"a byte", "a row", "a page", "an anchored page"};
    for (int kind = 0; kind < 4; ++kind) {
        const std::string name = step + "/" + std::to_string(kind);
        underRow(std::string("    step by ") + stepNames[kind] + " through 64 MiB, drawn: mean",
                 ns(name), 16e6);
        const auto worstStep = collector.worst.find(name);
        underRow("        slowest", worstStep == collector.worst.end() ? -1 : worstStep->second,
                 16e6);
    }
    // While a page is read on the other thread: the keys, their slowest (wall clock, and the
    // window thread's own CPU time, which leaves out the other processes of a busy machine).
    const std::string whileReading = kFontKeyWhileReading;
    const char* keyNames[] = {"page down", "an arrow"};
    for (int arrow = 0; arrow < 2; ++arrow) {
        const std::string name = whileReading + "/" + std::to_string(arrow);
        underRow(std::string("    suggesting: ") + keyNames[arrow] + " while the page is read",
                 ns(name), 16e6);
        const auto worstKey = collector.worst.find(name);
        underRow("        slowest", worstKey == collector.worst.end() ? -1 : worstKey->second,
                 16e6);
        const auto worstCpu = collector.worstCpu.find(name);
        underRow("        slowest, the window thread's CPU time",
                 worstCpu == collector.worstCpu.end() ? -1 : worstCpu->second, 16e6);
    }
    underRow("    suggesting: Enter stores the guess, next glyph drawn", ns(kFontEnterAccepts),
             16e6);
    const auto shown = [&](double t) { return t < 0 ? std::string("n/a") : Time(t); };
    rows.push_back({"    suggesting: 256 guesses accepted as one step",
                    shown(ns(std::string(kFontAcceptPage) + "/0")), "", "", "", ""});
    rows.push_back({"    suggesting: that step undone",
                    shown(ns(std::string(kFontAcceptPage) + "/1")), "", "", "", ""});
    rows.push_back({"    suggesting: a page of 256 read on the reading thread",
                    shown(ns(kFontReadPage)), "", "", "", ""});
    {
        const long small = FontPeakRssKb(1, false);
        const long large = FontPeakRssKb(1024, true);
        char measured[32], yardstick[48], difference[32];
        std::snprintf(measured, sizeof measured, "%.1f MiB", large / 1024.0);
        std::snprintf(yardstick, sizeof yardstick, "1 MiB file: %.1f MiB", small / 1024.0);
        std::snprintf(difference, sizeof difference, "%+.1f MiB", (large - small) / 1024.0);
        const bool measuredBoth = small > 0 && large > 0;
        rows.push_back({"    font: peak memory (VmHWM), 1 GiB sparse file",
                        measuredBoth ? measured : "n/a", yardstick, difference, "within 1 MiB",
                        !measuredBoth                         ? "not measured"
                        : std::labs(large - small) <= 1024 ? "yes"
                                                           : "NO"});
    }
#endif

    // (h) The glyph matcher, 256 glyphs against 3,500 candidates with the references drawn; the
    // first drawing apart, which shows only where its time goes.
    for (const char* size : {"/16", "/8"}) {
        const double t = ns(std::string(kMatch256) + size);
        const std::string cell = std::string(size + 1) + "x" + (size + 1);
        if (t < 0) {
            rows.push_back(
                {"(h) read 256 glyphs, " + cell, "n/a", "", "", "< 1 s", "not measured"});
            continue;
        }
        rows.push_back({std::string(size == std::string("/16") ? "(h)" : "   ") + " read 256 " +
                            cell + " glyphs, 3,500 candidates, drawn",
                        Time(t), "", "", "< 1 s", t < 1e9 ? "yes" : "NO"});
        if (size == std::string("/8")) {
            const double ascii = ns(std::string(kMatch256Ascii) + size);
            rows.push_back({"    read 256 8x8 ASCII glyphs (once more in whole pixels)",
                            ascii < 0 ? "n/a" : Time(ascii), "", "", "< 1 s",
                            ascii < 0     ? "not measured"
                            : ascii < 1e9 ? "yes"
                                          : "NO"});
        }
        const double first = ns(std::string(kMatchFirstDrawing) + size);
        rows.push_back({"    first drawing of the 3,500 references, " + cell,
                        first < 0 ? "n/a" : Time(first), "", "", "", ""});
    }

    // (i) The game text: a 4 KiB page read through 8,000 two-byte codes, longest match first,
    // every code met decoded; the reader made for the table apart, and both together.
    const std::string decode = kDecodeTwoBytePage;
    actionRow("(i) game text: 4 KiB page through 8,000 two-byte codes, decoded",
              (decode + "/0").c_str());
    actionRow("    the reader made for those 8,000 codes (a table changed)",
              (decode + "/1").c_str());
    actionRow("    both: the reader made, then the page read and decoded", (decode + "/2").c_str());

    std::printf("Glyphwright benchmarks on %s\n\n", Machine().c_str());
    Print(rows);
    PrintMatcherAccuracy();
    for (const auto& [name, message] : collector.errors) {
        std::printf("error in %s: %s\n", name.c_str(), message.c_str());
    }
    return collector.errors.empty() ? 0 : 1;
}
