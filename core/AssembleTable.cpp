#include "AssembleTable.h"

#include <cstddef>

#include "BuiltInSets.h"

namespace glyphwright {

Result<Assembly, AssemblyError> PreviewAssembly(const TableOrder& order, ByteCode start) {
    Assembly assembly;
    assembly.start = start;
    int running = start;
    bool laidAny = false;
    for (int line = 0; line < order.LineCount(); ++line) {
        const CharacterSet* set = FindBuiltInSet(order.SetNameOf(line));
        if (set == nullptr) {
            continue;  // a single entry, or a line whose text names no set: it takes no code
        }
        if (const int ownStart = order.StartOf(line); ownStart > 0) {
            running = ownStart;
        }
        const int setStart = running;
        for (const std::string_view member : set->members) {
            if (running > 0xFF) {
                return AssemblyError{AssemblyError::Kind::PastFF, line + 1, std::string(set->name),
                                     setStart};
            }
            LaidCode& code = assembly.laid[static_cast<std::size_t>(running)];
            if (code.line >= 0 && code.line != line) code.overlaps = code.line;
            code.member = member;
            code.line = line;
            ++running;
        }
        laidAny = true;
    }
    if (!laidAny) {
        return AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0};
    }
    assembly.last = static_cast<ByteCode>(running - 1);
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
                                                      std::string_view startCode) {
    const auto start = ReadHexByte(startCode);
    if (!start) return NotPreviewed(PreviewFailure(std::in_place_index<0>, start.error()));
    auto assembly = PreviewAssembly(order, start.value());
    if (!assembly) return NotPreviewed(PreviewFailure(std::in_place_index<1>, assembly.error()));
    return assembly.value();
}

void LayOver(const Assembly& assembly, CodeTable& table) {
    for (std::size_t code = 0; code < assembly.laid.size(); ++code) {
        if (assembly.laid[code].line >= 0) table[code] = assembly.laid[code].member;
    }
}

void CommitAssembly(const Assembly& assembly, Workspace& workspace) {
    LayOver(assembly, workspace.TableText);
    workspace.LastCode = assembly.last;
}

Result<Success, AssemblyError> AssembleTable(const TableOrder& order, Workspace& workspace) {
    auto assembly = PreviewAssembly(order, workspace.CurrentCode);
    if (!assembly) return assembly.error();
    CommitAssembly(assembly.value(), workspace);
    return Success{};
}

}  // namespace glyphwright
