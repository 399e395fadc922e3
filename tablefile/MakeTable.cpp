#include "MakeTable.h"

#include <optional>
#include <string>

#include "WritesCode.h"
#include "core/table/HeldEntries.h"

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

Result<Success, TableFailure> SaveTable(const Workspace& workspace, const SaveTarget& target,
                                        const EntryKinds& kinds) {
    const auto file = FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode,
                                  target.format, kinds, workspace.TwoByte);
    if (!file) {
        return TableFailure{file.error()};
    }
    if (const auto saved = SaveFileAtomically(target.path, file.value()); !saved) {
        return TableFailure{saved.error()};
    }
    return Success{};
}

EntryKinds KindsAfter(const CodeTable& before, const CodeTable& after, const EntryKinds& kinds) {
    EntryKinds result = kinds;
    for (std::size_t code = 0; code < result.size(); ++code) {
        if (before[code] != after[code]) result[code] = EntryKind::Ordinary;
    }
    return result;
}

Result<MakeTableOutcome, TableFailure> MakeTable(Workspace& workspace, const TableOrder& order,
                                                 std::string_view startCodeText, UserQueries& user,
                                                 const EntryKinds& kinds, CodeOrder order16,
                                                 const TableWriter& write) {
    // With no set to lay, a text format still writes the entries the table holds. No start code
    // is needed then, and the classic file's refusal waits until the classic format is chosen.
    // With nothing held either, every format has nothing to write: the classic steps as ever.
    const bool entriesOnly = WritesEntriesOnly(workspace.TableText, kinds, order, workspace.TwoByte);
    std::string startCode(startCodeText);
    if (startCode.empty() && !entriesOnly) {
        std::optional<std::string> answer = user.AskStartCode();
        if (!answer) {
            return MakeTableOutcome::Cancelled;
        }
        startCode = std::move(*answer);
    }

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    const CodeTable before = workspace.TableText;
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
        return *classicRefusal;
    }
    const EntryKinds written = KindsAfter(before, workspace.TableText, kinds);
    if (const auto saved =
            write ? write(workspace, *target, written) : SaveTable(workspace, *target, written);
        !saved) {
        return saved.error();
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
