// The dump over fuzzer-chosen games and pointer tables must never read outside the game, and
// where it finds nothing that cannot come back, the script inserted into the wiped game by the
// inserter in tests/support/AtlasInserter.h must give the game back byte for byte.
//
// Input: [blocks 0-3] then per block [kind] [offset, 2 bytes] [count]; the rest is the game.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/script/ScriptDump.h"
#include "support/AtlasInserter.h"

namespace {

using namespace glyphwright;

const char* const kKinds[] = {"le16", "be16", "le24+10", "be24-10", "le32", "be32",
                              "gba",  "lorom", "hirom",  "nes",     "nes+1", "le16-8000"};

// Texts that trip an inserter: a longer text made of shorter ones, one text at two codes, command
// and comment starts, a blank, and text that looks like a raw byte.
const ScriptTable& Table(std::string& file) {
    static std::string text;
    static const ScriptTable table = [] {
        std::vector<ScriptEntry> entries = {
            {TableCode::OneByte(0x00), EntryKind::EndCode, "[end]"},
            {TableCode::OneByte(0x01), EntryKind::LineBreak, "\\n"},
            {TableCode::OneByte(0x41), EntryKind::Ordinary, "A"},
            {TableCode::OneByte(0x42), EntryKind::Ordinary, "B"},
            {TableCode::OneByte(0x43), EntryKind::Ordinary, "AB"},
            {TableCode::OneByte(0x44), EntryKind::Ordinary, "A"},
            {TableCode::OneByte(0x23), EntryKind::Ordinary, "#"},
            {TableCode::OneByte(0x2F), EntryKind::Ordinary, "/"},
            {TableCode::OneByte(0x20), EntryKind::Ordinary, " "},
            {TableCode::OneByte(0x3C), EntryKind::Ordinary, "<$"},
            {TableCode::OneByte(0x34), EntryKind::Ordinary, "41>"},
            {TableCode::TwoByte(0x8140), EntryKind::Ordinary, "か"},
            {TableCode::TwoByte(0x8141), EntryKind::Ordinary, "かA"},
        };
        for (const ScriptEntry& entry : entries) {
            text += (entry.kind == EntryKind::EndCode ? "/" : "") + entry.code.Hex() + '=' +
                    entry.text + '\n';
        }
        return ScriptTable(entries);
    }();
    file = text;
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    DumpRequest request;
    request.tablePath = "fuzz.tbl";
    const int blocks = next() % 4;
    for (int b = 0; b < blocks; ++b) {
        const auto kind = ReadPointerKind(kKinds[next() % std::size(kKinds)]).value();
        const std::uint64_t offset = static_cast<std::uint64_t>(next()) << 8 | next();
        const std::uint64_t count = 1 + next() % 32;
        request.blocks.push_back({offset, count, kind});
    }
    const std::vector<std::uint8_t> game(data + std::min(at, size), data + size);
    std::string file;
    const ScriptTable& table = Table(file);
    const DumpResult dump = DumpScript(game, table, request);
    for (const DumpProblem& problem : dump.problems) {
        if (problem.kind != DumpProblem::Kind::UnreadableBytes &&
            problem.kind != DumpProblem::Kind::IntoString) {
            return 0;  // the script says what cannot come back: no round trip to hold
        }
    }
    // Wiped where the strings and pointers are, then inserted: the game again.
    std::vector<std::uint8_t> inserted = game;
    for (const PointerBlock& block : request.blocks) {
        for (std::uint64_t i = block.offset; i < block.End() && i < inserted.size(); ++i) inserted[i] = 0xA5;
    }
    glyphwright::test::AtlasInserter inserter(file);
    if (const auto failed = inserter.Insert(dump.script, inserted)) {
        std::fprintf(stderr, "ScriptDump: the inserter stopped: %s\n%s", failed->c_str(), dump.script.c_str());
        std::abort();
    }
    if (inserted != game) {
        std::fprintf(stderr, "ScriptDump: the game did not come back\n%s", dump.script.c_str());
        std::abort();
    }
    return 0;
}
