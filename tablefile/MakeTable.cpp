#include "MakeTable.h"

#include <optional>
#include <string>

#include "WriteTableFile.h"

namespace glyphwright {

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

    const auto parsed = ParseHexByte(workspace, startCode);
    if (!parsed) {
        return TableFailure{StartCodeError{startCode, parsed.error()}};
    }
    workspace.CurrentCode = parsed.value();

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    if (const auto assembled = AssembleTable(order, workspace); !assembled) {
        return TableFailure{assembled.error()};
    }

    const std::optional<std::string> path = user.AskSavePath();
    if (!path) {
        return MakeTableOutcome::Cancelled;
    }

    std::string file;
    WriteTableFile(file, workspace.TableText, workspace.CurrentCode, workspace.LastCode);
    if (const auto saved = SaveFileAtomically(*path, file); !saved) {
        return TableFailure{saved.error()};
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
