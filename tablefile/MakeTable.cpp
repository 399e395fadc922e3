#include "MakeTable.h"

#include <optional>
#include <string>

#include "WritesCode.h"
#include "core/table/HeldAndLaid.h"

namespace glyphwright {

Result<Success, TableFailure> ComposeTable(Workspace& workspace, const TableOrder& order,
                                           std::string_view startCode, CodeOrder order16) {
    const auto parsed = ReadHexByte(startCode);
    if (!parsed) {
        return TableFailure{StartCodeError{std::string(startCode), parsed.error()}};
    }
    workspace.CurrentCode = parsed.value();
    if (const auto assembled = AssembleTable(order, workspace, order16); !assembled) {
        return TableFailure{assembled.error()};
    }
    return Success{};
}

Result<Success, TableFailure> SaveTable(const Workspace& workspace, const SaveTarget& target) {
    const auto file = FormatTable(workspace, target.format);
    if (!file) {
        return TableFailure{file.error()};
    }
    if (const auto saved = SaveFileAtomically(target.path, file.value()); !saved) {
        return TableFailure{saved.error()};
    }
    return Success{};
}

Result<MakeTableOutcome, TableFailure> MakeTable(Workspace& workspace, const TableOrder& order,
                                                 std::string_view startCodeText, UserQueries& user,
                                                 CodeOrder order16, const TableWriter& write) {
    // With no set to lay, a text format still writes the entries the table holds. No start code
    // is needed then, and the classic file's refusal waits until the classic format is chosen.
    // With nothing held either, every format has nothing to write: the classic steps as ever.
    const bool entriesOnly = WritesEntriesOnly(workspace.TableText, order);
    std::string startCode(startCodeText);
    if (startCode.empty() && !entriesOnly) {
        std::optional<std::string> answer = user.AskStartCode();
        if (!answer) {
            return MakeTableOutcome::Cancelled;
        }
        startCode = std::move(*answer);
    }

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    std::optional<TableFailure> classicRefusal;
    if (entriesOnly) {
        classicRefusal = TableFailure{AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0}};
    }
    // A start code typed is read even when nothing is laid: one that is no code is said so.
    if (!entriesOnly || !startCode.empty()) {
        if (const auto composed = ComposeTable(workspace, order, startCode, order16); !composed) {
            if (!entriesOnly || !std::holds_alternative<AssemblyError>(composed.error())) {
                return composed.error();
            }
        }
    }

    const std::optional<SaveTarget> target = user.AskSaveTarget();
    if (!target) {
        return MakeTableOutcome::Cancelled;
    }
    if (classicRefusal && !WritesWithNothingLaid(target->format)) {
        // What the classic file could never hold is said before that nothing was laid.
        if (const auto never = ClassicCannotHold(workspace)) return TableFailure{*never};
        return *classicRefusal;
    }
    if (const auto saved = write ? write(workspace, *target) : SaveTable(workspace, *target);
        !saved) {
        return saved.error();
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
