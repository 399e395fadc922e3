// Arbitrary Table Orders through AssembleTable and WriteTableFile. The input is read as a short
// program of edits to a workspace (set names exact, mis-typed or empty, own start codes, removed
// lines, single entries of any bytes) interleaved with assemblies of up to 1001 lines. After
// every assembly the workspace and the file are checked against the plain reading in
// tests/evidence/ReferenceTable.h and against the file's structure.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/AssembleTable.h"
#include "core/BuiltInSets.h"
#include "evidence/ReferenceTable.h"
#include "tablefile/WriteTableFile.h"

namespace {

using glyphwright::Workspace;
using namespace glyphwright::evidence;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "AssembleTable/WriteTableFile: %s\n", what.c_str());
    std::abort();
}

// A set name as the user might have left it: exact, or one slip away from exact, or no name.
std::string SomeName(FuzzedDataProvider& in) {
    const auto sets = glyphwright::BuiltInSets();
    std::string name(sets[in.ConsumeIntegralInRange<std::size_t>(0, sets.size() - 1)].name);
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
            return "";
        case 1:
            return name + " ";
        case 2:
            return " " + name;
        case 3:
            for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            return name;
        case 4:
            return name.substr(0, name.size() - 1);
        case 5:
            return in.ConsumeRandomLengthString(24);
        default:
            return name;
    }
}

// The workspace keeps line n's start in OrderStarts[n - 1]; the reference keeps it in starts[n].
// Two thousand comparisons that hold no branch worth exploring: kept out of libFuzzer's view.
__attribute__((no_sanitize("coverage"))) void CheckRecords(const Workspace& ws,
                                                           const ReferenceOrder& order) {
    for (std::size_t i = 0; i < ws.OrderNames.size(); ++i) {
        if (ws.OrderNames[i] != order.names[i])
            Fail("OrderNames[" + std::to_string(i) + "] differs");
    }
    for (std::size_t i = 0; i < ws.OrderStarts.size(); ++i) {
        if (ws.OrderStarts[i] != order.starts[i + 1]) {
            Fail("OrderStarts[" + std::to_string(i) + "] differs");
        }
    }
}

void AssembleAndCheck(Workspace& ws, const ReferenceOrder& order, int lineCount) {
    const Table before = ws.TableText;
    const int lastBefore = ws.LastCode;
    const ReferenceAssembly expected =
        ReferenceAssemble(before, lastBefore, ws.CurrentCode, order, lineCount);

    const auto result = glyphwright::AssembleTable(ws, lineCount);
    if (result.ok() != expected.ok) {
        Fail(std::string("assembly of ") + std::to_string(lineCount) + " lines " +
             (result.ok() ? "succeeded" : "failed") + " against the reference");
    }
    if (ws.TableText != expected.table) Fail("TableText differs from the reference");
    if (ws.LastCode != expected.last) Fail("LastCode differs from the reference");
    if (!result.ok()) {
        // All or nothing: a failed assembly leaves no trace.
        if (ws.TableText != before || ws.LastCode != lastBefore)
            Fail("failed assembly left changes");
        return;
    }

    const int first = ws.CurrentCode;
    const int last = ws.LastCode;
    std::string file;
    glyphwright::WriteTableFile(file, ws.TableText, ws.CurrentCode, ws.LastCode);
    if (file != ReferenceFile(ws.TableText, first, last)) Fail("file differs from the reference");

    // The same file judged by its structure alone: well-formed lines ending 0D 0D 0A in strictly
    // ascending code order, exactly the codes that must be there, then the trailer.
    const ParsedFile parsed = ParseTableFile(file, ws.TableText);
    if (!parsed.fault.empty()) Fail("malformed file: " + parsed.fault);
    if (parsed.codes != ExpectedCodes(ws.TableText, first, last)) Fail("wrong set of code lines");
    for (int code = first; code <= last && code <= 0x0F; ++code) {
        bool found = false;
        for (const int written : parsed.codes) found = found || written == code;
        if (!found) Fail("code " + std::to_string(code) + " of 00-0F has no line");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Workspace ws;
    ReferenceOrder order;
    int lines = 0;  // the line count the list would show, as far as the edits tell
    bool assembled = false;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0: {  // include one line: a name recorded at the next position
                if (lines >= 1001) break;
                ++lines;
                if (lines <= 1000) {
                    const std::string name = SomeName(in);
                    ws.OrderNames[static_cast<std::size_t>(lines)] = name;
                    order.names[static_cast<std::size_t>(lines)] = name;
                }
                break;
            }
            case 1: {  // include a run of lines, to reach long orders in few bytes
                const int count = in.ConsumeIntegralInRange(1, 1001);
                for (int k = 0; k < count && lines < 1001; ++k) {
                    ++lines;
                    if (lines > 1000) break;
                    const std::string name = SomeName(in);
                    ws.OrderNames[static_cast<std::size_t>(lines)] = name;
                    order.names[static_cast<std::size_t>(lines)] = name;
                }
                break;
            }
            case 2: {  // an own start code for some line, now and then one above FF
                const int line = in.ConsumeIntegralInRange(1, 1001);
                const int start = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 0xFF)
                                                   : in.ConsumeIntegralInRange(0, 0x1FF);
                ws.OrderStarts[static_cast<std::size_t>(line - 1)] =
                    static_cast<std::int16_t>(start);
                order.starts[static_cast<std::size_t>(line)] = start;
                break;
            }
            case 3: {  // remove a line, sometimes one with no records at all
                const int index = in.ConsumeIntegralInRange(-2, 1001);
                ws.RemoveOrderLine(index);
                order.Remove(index + 1);
                if (index >= 0 && index < lines) --lines;
                break;
            }
            case 4: {  // a single entry straight into its slot: any bytes, "=" and line breaks too
                const auto code = in.ConsumeIntegral<std::uint8_t>();
                ws.TableText[code] = in.ConsumeRandomLengthString(8);
                break;
            }
            case 5:
            case 6: {  // MAKE TABLE: a start code and the list's line count (at times past 1000)
                ws.CurrentCode = in.ConsumeIntegral<std::uint8_t>();
                const int count = in.ConsumeBool() ? lines : in.ConsumeIntegralInRange(0, 1001);
                CheckRecords(ws, order);
                AssembleAndCheck(ws, order, count);
                assembled = true;
                break;
            }
        }
    }
    if (!assembled) {
        ws.CurrentCode = in.ConsumeIntegral<std::uint8_t>();
        AssembleAndCheck(ws, order, lines);
    }
    CheckRecords(ws, order);
    return 0;
}
