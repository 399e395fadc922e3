#include "MakeTable.h"

#include <optional>
#include <string>

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
                                                 const EntryKinds& kinds, CodeOrder order16) {
    std::string startCode(startCodeText);
    if (startCode.empty()) {
        std::optional<std::string> answer = user.AskStartCode();
        if (!answer) {
            return MakeTableOutcome::Cancelled;
        }
        startCode = std::move(*answer);
    }

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    const CodeTable before = workspace.TableText;
    if (const auto composed = ComposeTable(workspace, order, startCode, order16); !composed) {
        return composed.error();
    }

    const std::optional<SaveTarget> target = user.AskSaveTarget();
    if (!target) {
        return MakeTableOutcome::Cancelled;
    }
    if (const auto saved =
            SaveTable(workspace, *target, KindsAfter(before, workspace.TableText, kinds));
        !saved) {
        return saved.error();
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
