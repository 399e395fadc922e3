#include "MakeTable.h"

#include <optional>
#include <string>

namespace glyphwright {

Result<Success, TableFailure> ComposeTable(Workspace& workspace, const TableOrder& order,
                                           std::string_view startCode) {
    const auto parsed = ReadHexByte(startCode);
    if (!parsed) {
        return TableFailure{StartCodeError{std::string(startCode), parsed.error()}};
    }
    workspace.CurrentCode = parsed.value();
    if (const auto assembled = AssembleTable(order, workspace); !assembled) {
        return TableFailure{assembled.error()};
    }
    return Success{};
}

Result<Success, TableFailure> SaveTable(const Workspace& workspace, const SaveTarget& target) {
    const auto file =
        FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode, target.format);
    if (!file) {
        return TableFailure{file.error()};
    }
    if (const auto saved = SaveFileAtomically(target.path, file.value()); !saved) {
        return TableFailure{saved.error()};
    }
    return Success{};
}

Result<MakeTableOutcome, TableFailure> MakeTable(Workspace& workspace, const TableOrder& order,
                                                 std::string_view startCodeText,
                                                 UserQueries& user) {
    std::string startCode(startCodeText);
    if (startCode.empty()) {
        std::optional<std::string> answer = user.AskStartCode();
        if (!answer) {
            return MakeTableOutcome::Cancelled;
        }
        startCode = std::move(*answer);
    }

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    if (const auto composed = ComposeTable(workspace, order, startCode); !composed) {
        return composed.error();
    }

    const std::optional<SaveTarget> target = user.AskSaveTarget();
    if (!target) {
        return MakeTableOutcome::Cancelled;
    }
    if (const auto saved = SaveTable(workspace, *target); !saved) {
        return saved.error();
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
