#include "AssembleTable.h"

#include <cstddef>
#include <optional>

#include "BuiltInSets.h"

namespace glyphwright {

Result<Success, AssemblyError> AssembleTable(Workspace& workspace, int lineCount) {
    if (lineCount > kMaxOrderLines) {
        return AssemblyError{AssemblyError::Kind::TooManyLines, 0, {}, 0};
    }

    // Lay into a staging table first so that a failure leaves the workspace as it was.
    std::array<std::optional<std::string_view>, kCodeCount> laid{};
    int running = workspace.CurrentCode;
    for (int line = 1; line <= lineCount; ++line) {
        const auto slot = static_cast<std::size_t>(line);
        const CharacterSet* set = FindBuiltInSet(workspace.OrderNames[slot]);
        if (set == nullptr) {
            continue;  // a single entry, or a line whose text names no set: it takes no code
        }
        if (const int ownStart = workspace.OrderStarts[slot - 1]; ownStart > 0) {
            running = ownStart;
        }
        const int setStart = running;
        for (const std::string_view member : set->members) {
            if (running > 0xFF) {
                return AssemblyError{AssemblyError::Kind::PastFF, line, std::string(set->name),
                                     setStart};
            }
            laid[static_cast<std::size_t>(running)] = member;
            ++running;
        }
    }
    if (running - 1 < 0) {
        return AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0};
    }

    for (std::size_t code = 0; code < laid.size(); ++code) {
        if (laid[code]) {
            workspace.TableText[code] = *laid[code];
        }
    }
    workspace.LastCode = static_cast<ByteCode>(running - 1);
    return Success{};
}

}  // namespace glyphwright
