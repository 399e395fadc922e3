#include "core/table/AssembleTable.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/sets/BuiltInSets.h"

namespace glyphwright {

Result<Assembly, AssemblyError> PreviewAssembly(const TableOrder& order, ByteCode start,
                                                CodeOrder order16) {
    // First where each set line begins, as the classic program counts it: a line with a start
    // code of its own begins there, any other where the line before ended. This alone decides
    // whether the order can be laid at all, and the range the file covers.
    struct Run {
        int line;
        int from;
        const CharacterSet* set;
    };
    std::vector<Run> runs;
    runs.reserve(static_cast<std::size_t>(order.LineCount()));
    std::vector<Run> wideRuns;                   // from: the 16-bit value of the first member
    std::array<int, kCodeCount + 1> coverage{};  // how many runs begin minus end at each code
    int running = start;
    int lastOneByte = -1;  // the end of the last one-byte run; -1 for none
    bool wide = false;     // whether `running` counts 16-bit values of two-byte codes
    for (int line = 0; line < order.LineCount(); ++line) {
        const CharacterSet* set = order.SetOf(line);
        if (set == nullptr) {
            continue;  // a single entry, or a line whose text names no set: it takes no code
        }
        if (const auto ownStart = order.StartCodeOf(line)) {
            wide = ownStart->IsTwoByte();
            running = wide ? CodeValue(*ownStart, order16) : ownStart->FirstByte();
        }
        const int end = running + static_cast<int>(set->size());
        if (wide) {
            if (end > 0x10000) {
                const auto from = static_cast<std::uint16_t>(running);
                return AssemblyError{AssemblyError::Kind::PastFFFF, line + 1,
                                     std::string(set->name), CodeOfValue(from, order16).Stored()};
            }
            wideRuns.push_back({line, running, set});
            running = end;
            continue;
        }
        if (end > kCodeCount) {
            return AssemblyError{AssemblyError::Kind::PastFF, line + 1, std::string(set->name),
                                 running};
        }
        runs.push_back({line, running, set});
        ++coverage[static_cast<std::size_t>(running)];
        --coverage[static_cast<std::size_t>(end)];
        running = end;
        lastOneByte = end;
    }
    if (runs.empty() && wideRuns.empty()) {
        return AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0};
    }
    // A file with no code in it is no table either: the last code laid before the start code.
    if (!runs.empty() && lastOneByte - 1 < start) {
        return AssemblyError{AssemblyError::Kind::EmptyRange, 0, {}, start, lastOneByte - 1};
    }

    Assembly assembly;
    assembly.start = start;
    assembly.last = static_cast<ByteCode>(runs.empty() ? 0xFF : lastOneByte - 1);
    // Two-byte runs from the last back, as the one-byte ones below.
    for (auto run = wideRuns.rbegin(); run != wideRuns.rend(); ++run) {
        for (std::size_t k = 0; k < run->set->size(); ++k) {
            const auto value = static_cast<std::uint16_t>(run->from + static_cast<int>(k));
            LaidCode& code = assembly.twoByte[CodeOfValue(value, order16).Stored()];
            if (code.line < 0) {
                code.member = run->set->text(k);
                code.line = run->line;
            } else if (code.overlaps < 0) {
                code.overlaps = run->line;
            }
        }
    }

    // Then the runs from the last back: the first run met on a code is the one whose member stays
    // there, the second the line it was laid over. Once every code laid has both that it will
    // ever have, the earlier runs change nothing, and a long order stops after its last few runs.
    int open = 0;  // the laid codes' places (member, line laid over) still to fill
    for (int code = 0, runsHere = 0; code < kCodeCount; ++code) {
        runsHere += coverage[static_cast<std::size_t>(code)];
        open += std::min(runsHere, 2);
    }
    for (auto run = runs.rbegin(); run != runs.rend() && open > 0; ++run) {
        for (std::size_t k = 0; k < run->set->size(); ++k) {
            LaidCode& code = assembly.laid[static_cast<std::size_t>(run->from) + k];
            if (code.line < 0) {
                code.member = run->set->text(k);
                code.line = run->line;
                --open;
            } else if (code.overlaps < 0) {
                code.overlaps = run->line;
                --open;
            }
        }
    }
    return assembly;
}

namespace {

// Out of line: inlined, GCC 12 with the sanitizers warns falsely that the variant's other member
// may be used uninitialized.
[[gnu::noinline]] Result<Assembly, PreviewFailure> NotPreviewed(PreviewFailure failure) {
    return failure;
}

}  // namespace

Result<Assembly, PreviewFailure> PreviewFromStartCode(const TableOrder& order,
                                                      std::string_view startCode,
                                                      CodeOrder order16) {
    const auto start = ReadHexByte(startCode);
    if (!start) return NotPreviewed(PreviewFailure(std::in_place_index<0>, start.error()));
    auto assembly = PreviewAssembly(order, start.value(), order16);
    if (!assembly) return NotPreviewed(PreviewFailure(std::in_place_index<1>, assembly.error()));
    return assembly.value();
}

void LayOver(const Assembly& assembly, CodeTable& table) {
    for (std::size_t code = 0; code < assembly.laid.size(); ++code) {
        if (assembly.laid[code].line >= 0) table[code] = assembly.laid[code].member;
    }
}

void LayOver(const Assembly& assembly, TwoByteTable& table) {
    for (const auto& [code, laid] : assembly.twoByte) {
        if (laid.member.empty()) {
            table.erase(code);  // an empty ordinary entry is no entry
        } else {
            table[code] = {std::string(laid.member), EntryKind::Ordinary};
        }
    }
}

void CommitAssembly(const Assembly& assembly, Workspace& workspace) {
    for (std::size_t code = 0; code < assembly.laid.size(); ++code) {
        if (const LaidCode& laid = assembly.laid[code]; laid.line >= 0) {
            workspace.TableText.Put(TableCode::OneByte(static_cast<ByteCode>(code)),
                                    {std::string(laid.member), EntryKind::Ordinary});
        }
    }
    for (const auto& [code, laid] : assembly.twoByte) {
        workspace.TableText.Put(TableCode::TwoByte(code),
                                {std::string(laid.member), EntryKind::Ordinary});
    }
    workspace.LastCode = assembly.last;
}

Result<Success, AssemblyError> AssembleTable(const TableOrder& order, Workspace& workspace,
                                             CodeOrder order16) {
    auto assembly = PreviewAssembly(order, workspace.CurrentCode, order16);
    if (!assembly) return assembly.error();
    CommitAssembly(assembly.value(), workspace);
    return Success{};
}

}  // namespace glyphwright
