#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>

namespace glyphwright::bench {

// Benchmark names, shared by the benchmarks and the table that reports them.
inline constexpr const char* kMakeTableCore = "core/make_table_256_codes";
inline constexpr const char* kWriteFloor = "core/write_prepared_bytes";
inline constexpr const char* kWriteDurably = "core/write_prepared_bytes_and_fsync";
inline constexpr const char* kSaveSafely = "core/save_prepared_bytes_atomically";
inline constexpr const char* kAssembleFormat = "core/assemble_and_format_256_codes";
inline constexpr const char* kIncludeCore = "core/include_on_1000_lines";
inline constexpr const char* kRemoveCore = "core/remove_line_500_of_1000";
inline constexpr const char* kMakeTableLongCore = "core/make_table_1000_lines";
inline constexpr const char* kIncludeWidgets = "widgets/include_on_1000_lines";
inline constexpr const char* kRemoveWidgets = "widgets/remove_line_500_of_1000";
inline constexpr const char* kMakeTableLongWidgets = "widgets/make_table_1000_lines";
inline constexpr const char* kSearchCore = "core/relative_search_256_MiB";
inline constexpr const char* kSearchFloor = "core/read_and_memchr_256_MiB";
// The same search over the 11 built-in sets and 20 of the user's.
inline constexpr const char* kSearchAllSets = "core/relative_search_31_sets_256_MiB";
// The same again, each of the user's sets with members of two kana (DTE pairs) among the single
// ones, so that the word is looked for in each of the ways it splits.
inline constexpr const char* kSearchPairs = "core/relative_search_31_sets_with_pairs_256_MiB";

// The dump: 10,000 strings through 4 pointer tables, and one read of the bytes they take.
inline constexpr const char* kDumpCore = "core/dump_10000_strings_4_blocks";
inline constexpr const char* kDumpFloor = "core/read_strings_and_pointers";
// Find Dictionary on a 16 MiB stand-in game, one run per layout (/0 to /4: pairs, two arrays,
// ended entries, length-prefixed, pointer table), and reading the same file whole.
inline constexpr const char* kFindDictionary = "core/find_dictionary_16_MiB";
inline constexpr const char* kReadGame = "core/read_game_16_MiB";

// The flag that makes glyphwright_bench a child that searches one file and prints its own peak
// memory (VmHWM, kB): a fresh process, so that nothing the benchmarks did before counts.
inline constexpr const char* kSearchPeakRssFlag = "--search-peak-rss=";

// The code map (CodeMapBenchmarks.cpp; the map-open actions are in WidgetBenchmarks.cpp).
inline constexpr const char* kCodeMapCore = "core/code_map_1000_lines";
inline constexpr const char* kUndoRedoRemove = "widgets/undo_redo_remove_line_500_of_1000";
inline constexpr const char* kUndoRedoMakeTable = "widgets/undo_redo_make_table_256_codes_1000";
inline constexpr const char* kProjectSave = "core/project_save_1000_lines_256_entries";
inline constexpr const char* kProjectOpen = "core/project_open_1000_lines_256_entries";
inline constexpr const char* kCodeMapAfterStart = "widgets/code_map_update_relative_start_1000";
inline constexpr const char* kCodeMapAllCells = "widgets/code_map_update_every_cell_1000";
inline constexpr const char* kIncludeWidgetsMapOpen = "widgets/include_on_1000_lines_map_open";
inline constexpr const char* kRemoveWidgetsMapOpen = "widgets/remove_line_500_of_1000_map_open";
inline constexpr const char* kCodeMapPageSwitch = "widgets/code_map_page_switch_8000_two_byte";
// The game text window reading a 4 KiB page again through 8,000 two-byte entries.
inline constexpr const char* kGameTextTwoBytePage = "widgets/game_text_4_KiB_8000_two_byte";

// Find Font (FindFontBenchmarks.cpp): the true font's place on 24 stand-in games, the stream
// scan on 16 MiB with 300 planted streams, and find-font's time on 4 and 32 MiB (/4, /32) beside
// one read of the file. The shares are counters, in per cent.
inline constexpr const char* kFindFontAccuracy = "core/find_font_24_stand_in_games";
inline constexpr const char* kStreamScan = "core/stream_scan_16_MiB_300_streams";
inline constexpr const char* kFindFont = "core/find_font";
inline constexpr const char* kFindFontFloor = "core/read_file_once";
inline constexpr const char* kFirstShare = "first_pct";
inline constexpr const char* kTopThreeShare = "top3_pct";
inline constexpr const char* kFoundShare = "found_pct";
inline constexpr const char* kFalseShare = "false_pct";

// The Font window (FontBenchmarks.cpp).
inline constexpr const char* kFontPage = "widgets/font_page_256_glyphs";
inline constexpr const char* kFontStep = "widgets/font_step_64_MiB";
// The Font window's suggestions: a key while a page is read, Enter storing a guess, a page's
// guesses accepted at once and undone, and a page read with the references drawn.
inline constexpr const char* kFontKeyWhileReading = "widgets/font_key_while_reading";
inline constexpr const char* kFontEnterAccepts = "widgets/font_enter_accepts_guess";
inline constexpr const char* kFontAcceptPage = "widgets/font_accept_256_guesses_and_undo";
inline constexpr const char* kFontReadPage = "widgets/font_read_page_256_glyphs";
// The flag that makes glyphwright_bench a child that pages through one file in the Font window
// and prints its own peak memory.
inline constexpr const char* kFontPeakRssFlag = "--font-peak-rss=";

// The glyph matcher (MatchBenchmarks.cpp): 256 glyphs read with the references drawn, and the
// first drawing of the references; its accuracy table is printed after the timings.
inline constexpr const char* kMatch256 = "core/match_256_glyphs_3500_candidates";
inline constexpr const char* kMatch256Ascii = "core/match_256_ascii_glyphs_3500_candidates";
inline constexpr const char* kMatchFirstDrawing = "core/match_first_drawing_3500_references";
void PrintMatcherAccuracy();

// The game text through 8,000 two-byte codes (TwoByteBenchmarks.cpp).
inline constexpr const char* kDecodeTwoBytePage = "core/decode_4KiB_page_8000_two_byte_codes";

// Where the benchmarks write their files: $GLYPHWRIGHT_BENCH_SCRATCH, which bench/run points
// into the bench build folder (a real disk, like a user's), or /tmp.
inline std::string ScratchPath(const std::string& name) {
    const char* folder = std::getenv("GLYPHWRIGHT_BENCH_SCRATCH");
    return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
}

// The relative search's benchmark file of `mib` MiB in the scratch folder, written on first use.
std::string SearchBenchFile(std::size_t mib);
// In the child: searches `path` and prints the peak memory; returns the exit status.
int SearchAndPrintPeakRss(const std::string& path);
// Starts such a child on `path` and returns what it printed, or -1.
long SearchPeakRssKb(const std::string& path);
// This process's peak memory (VmHWM, kB), or -1.
long OwnPeakRssKb();
// Starts glyphwright_bench again with the one argument `flag` and returns the number it
// printed, or -1.
long ChildPeakRssKb(const std::string& flag);

// In the child: pages through `path` in the Font window and prints the peak memory.
int FontStepsAndPrintPeakRss(const std::string& path, char* program);
// The Font window's peak memory on a file of `mib` MiB, in a fresh process; -1 on failure.
long FontPeakRssKb(std::size_t mib, bool sparse);

}  // namespace glyphwright::bench
