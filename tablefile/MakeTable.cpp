#include "MakeTable.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "SaveFileAtomically.h"
#include "WriteTableFile.h"
#include "core/AssembleTable.h"
#include "core/ParseHexByte.h"

namespace glyphwright {

namespace {

std::string HexCode(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(code));
    return text;
}

std::string SaveFailureReason(const FileError& error) {
    switch (error.kind) {
        case FileError::Kind::NoPipeReader:
            return "No program is reading from this pipe";
        case FileError::Kind::NoFileName:
            return "No file name was given";
        case FileError::Kind::System:
            break;
    }
    return std::strerror(error.error);
}

std::string StartCodeMessage(std::string_view typed, HexError error) {
    if (typed.empty()) {
        return "No start code was given. Type the code at which the font table begins, "
               "as a hexadecimal byte from 00 to FF.";
    }
    std::string message = "The start code \"" + std::string(typed) + "\" ";
    message += error == HexError::OutOfRange
                   ? "is larger than FF."
                   : "is not a hexadecimal byte.";
    message += " Type the code at which the font table begins, from 00 to FF (for example 10).";
    return message;
}

std::string AssemblyMessage(const AssemblyError& error) {
    switch (error.kind) {
        case AssemblyError::Kind::PastFF:
            return "The set \"" + error.setName + "\" on line " + std::to_string(error.line) +
                   " of the Table Order begins at code " + HexCode(error.setStart) +
                   " and would run past code FF. No table was made.";
        case AssemblyError::Kind::TooManyLines:
            return "The Table Order has more than " + std::to_string(kMaxOrderLines) +
                   " lines. No table was made.";
        case AssemblyError::Kind::NothingToLay:
            return "The Table Order lays no character set, so from start code 00 there is "
                   "nothing to write. No table was made.";
    }
    return "No table was made.";
}

}  // namespace

MakeTableOutcome MakeTable(Workspace& workspace, std::string_view startCodeText, int lineCount,
                           UserQueries& user) {
    const std::string title(kMessageTitle);

    std::string startCode(startCodeText);
    if (startCode.empty()) {
        std::optional<std::string> answer =
            user.AskText(std::string(kStartCodePrompt), std::string(kStartCodeTitle));
        if (!answer) {
            return MakeTableOutcome::Cancelled;
        }
        startCode = std::move(*answer);
    }

    const auto parsed = ParseHexByte(workspace, startCode);
    if (!parsed) {
        user.ShowMessage(title, StartCodeMessage(startCode, parsed.error()),
                         MessageIcon::Exclamation);
        return MakeTableOutcome::Failed;
    }
    workspace.CurrentCode = parsed.value();

    // Assembly runs before the Save dialog: its slots stay filled even if the user cancels there.
    if (const auto assembled = AssembleTable(workspace, lineCount); !assembled) {
        user.ShowMessage(title, AssemblyMessage(assembled.error()), MessageIcon::Exclamation);
        return MakeTableOutcome::Failed;
    }

    const std::optional<std::string> path = user.AskSavePath(std::string(kTableFileFilter));
    if (!path) {
        return MakeTableOutcome::Cancelled;
    }

    std::string file;
    WriteTableFile(file, workspace.TableText, workspace.CurrentCode, workspace.LastCode);
    if (const auto saved = SaveFileAtomically(*path, file); !saved) {
        user.ShowMessage(title,
                         "The table file \"" + saved.error().path +
                             "\" could not be written: " + SaveFailureReason(saved.error()) + ".",
                         MessageIcon::Exclamation);
        return MakeTableOutcome::Failed;
    }
    return MakeTableOutcome::Written;
}

}  // namespace glyphwright
