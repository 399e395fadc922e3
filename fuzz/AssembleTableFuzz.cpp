// Arbitrary Table Orders through AssembleTable and WriteTableFile. The input is read as a short
// program of edits to a Table Order and a workspace (set names exact, mis-typed or empty, own
// start codes, removed lines, single entries of any bytes) interleaved with assemblies of orders
// of up to 1000 lines. After every assembly the workspace and the file are checked against the
// plain reading in tests/support/ReferenceTable.h and against the file's structure.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/table/AssembleTable.h"
#include "core/sets/BuiltInSets.h"
#include "core/table/TableOrder.h"
#include "core/text/EucJp.h"
#include "support/ReferenceTable.h"
#include "tablefile/WriteTableFile.h"

namespace {

using glyphwright::TableOrder;
using glyphwright::Workspace;
using namespace glyphwright::evidence;
using glyphwright::ByteCode;
using glyphwright::TableCode;

// The reference works on the classic file's EUC-JP bytes; the table holds Unicode text. A text
// EUC-JP cannot hold (the fuzzer's own bytes) is compared as it is.
Table AsEucJp(const glyphwright::TableEntries& entries) {
    glyphwright::EucJpEncoder encoder;
    Table table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        const std::string& text = entries.Texts()[code];
        if (text.empty()) continue;
        auto encoded = encoder.Encode(text);
        table[code] = encoded ? std::move(encoded).value() : text;
    }
    return table;
}

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

// The order keeps line n's name and start with the line; the reference keeps them in names[n]
// and starts[n].
__attribute__((no_sanitize("coverage"))) void CheckRecords(const TableOrder& lines,
                                                           const ReferenceOrder& order) {
    for (int i = 0; i < lines.LineCount(); ++i) {
        const auto slot = static_cast<std::size_t>(i) + 1;
        if (lines.SetNameOf(i) != order.names[slot])
            Fail("the name of line " + std::to_string(i) + " differs");
        if (lines.StartOf(i) != order.starts[slot])
            Fail("the start of line " + std::to_string(i) + " differs");
    }
}

void AssembleAndCheck(Workspace& ws, const TableOrder& lines, const ReferenceOrder& order) {
    const int lineCount = lines.LineCount();
    const Table before = AsEucJp(ws.TableText);
    const int lastBefore = ws.LastCode;
    const ReferenceAssembly expected =
        ReferenceAssemble(before, lastBefore, ws.CurrentCode, order, lineCount);

    const auto result = glyphwright::AssembleTable(lines, ws);
    if (result.ok() != expected.ok) {
        Fail(std::string("assembly of ") + std::to_string(lineCount) + " lines " +
             (result.ok() ? "succeeded" : "failed") + " against the reference");
    }
    const Table after = AsEucJp(ws.TableText);
    if (after != expected.table) Fail("TableText differs from the reference");
    if (ws.LastCode != expected.last) Fail("LastCode differs from the reference");
    if (!result.ok()) {
        // All or nothing: a failed assembly leaves no trace, and a preview agrees.
        if (after != before || ws.LastCode != lastBefore)
            Fail("failed assembly left changes");
        if (glyphwright::PreviewAssembly(lines, ws.CurrentCode).ok())
            Fail("the preview lays what the assembly refused");
        return;
    }

    const int first = ws.CurrentCode;
    const int last = ws.LastCode;
    std::string file;
    glyphwright::WriteTableFile(file, after, ws.CurrentCode, ws.LastCode);
    if (file != ReferenceFile(after, first, last)) Fail("file differs from the reference");

    // The same file judged by its structure alone: well-formed lines ending 0D 0D 0A in strictly
    // ascending code order, exactly the codes that must be there, then the trailer.
    const ParsedFile parsed = ParseTableFile(file, after);
    if (!parsed.fault.empty()) Fail("malformed file: " + parsed.fault);
    if (parsed.codes != ExpectedCodes(after, first, last)) Fail("wrong set of code lines");
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
    TableOrder lines;
    ReferenceOrder order;
    bool assembled = false;

    // Includes one line as "Relative  Entry" does, or a single entry's line.
    const auto include = [&](bool setLine) {
        const std::string text = SomeName(in);
        if (!(setLine ? lines.AppendSetLine(text) : lines.AppendEntryLine(text))) return false;
        // Only a text that names a set is recorded for its line.
        order.names[static_cast<std::size_t>(lines.LineCount())] =
            setLine && ReferenceMembers(text) ? text : "";
        return true;
    };

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0:
                include(true);
                break;
            case 1: {  // include a run of lines, to reach long orders in few bytes
                const int count = in.ConsumeIntegralInRange(1, 1001);
                for (int k = 0; k < count && include(true); ++k) {
                }
                break;
            }
            case 2: {  // an own start code for some line, at times one that does not exist
                const int line = in.ConsumeIntegralInRange(1, 1001);
                const auto start = in.ConsumeIntegral<std::uint8_t>();
                lines.SetStart(line - 1, start);
                if (line <= lines.LineCount()) order.starts[static_cast<std::size_t>(line)] = start;
                break;
            }
            case 3: {  // remove a line, at times one that does not exist
                const int index = in.ConsumeIntegralInRange(-2, 1001);
                if (index >= 0 && index < lines.LineCount()) order.Remove(index + 1);
                lines.Remove(index);
                break;
            }
            case 4: {  // a single entry: any bytes on its code, "=" and line breaks too
                const auto code = in.ConsumeIntegral<std::uint8_t>();
                ws.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(code)), {in.ConsumeRandomLengthString(8)});
                include(false);
                break;
            }
            case 5:
            case 6:  // MAKE TABLE from some start code
                ws.CurrentCode = in.ConsumeIntegral<std::uint8_t>();
                CheckRecords(lines, order);
                AssembleAndCheck(ws, lines, order);
                assembled = true;
                break;
        }
    }
    if (!assembled) {
        ws.CurrentCode = in.ConsumeIntegral<std::uint8_t>();
        AssembleAndCheck(ws, lines, order);
    }
    CheckRecords(lines, order);
    return 0;
}
