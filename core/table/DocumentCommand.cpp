#include "core/table/DocumentCommand.h"


namespace glyphwright {

namespace {

using Edit = DocumentStep::OrderEdit;

}  // namespace

void DocumentCommand::PutSlot(const Document& document, TableCode code, TableEntry entry) {
    const TableEntry before = document.Contents().EntryAt(code);
    if (before == entry) return;
    // Put twice in one command, the slot keeps the first "before" and the last "after".
    bool seen = false;
    for (const auto& [known, old] : backward_.entries) seen = seen || known == code;
    if (!seen) backward_.entries.emplace_back(code, before);
    forward_.entries.emplace_back(code, std::move(entry));
}

DocumentCommand DocumentCommand::IncludeSet(const Document& document, const std::string& text,
                                            ByteCode start) {
    return IncludeSet(document, text, TableCode::OneByte(start));
}

DocumentCommand DocumentCommand::IncludeSet(const Document& document, const std::string& text,
                                            std::optional<TableCode> start) {
    DocumentCommand command;
    const int line = document.Order().LineCount();
    command.forward_.orderEdit = Edit::Insert;
    command.forward_.line = line;
    command.forward_.value.text = text;
    command.forward_.value.laysSet = document.Order().FindSet(text) != nullptr;
    command.forward_.value.SetStartCode(start);
    command.backward_.orderEdit = Edit::Remove;
    command.backward_.line = line;
    return command;
}

DocumentCommand DocumentCommand::RemoveLine(const Document& document, int line) {
    DocumentCommand command;
    command.forward_.orderEdit = Edit::Remove;
    command.forward_.line = line;
    command.backward_.orderEdit = Edit::Insert;
    command.backward_.line = line;
    command.backward_.value = document.Order().Line(line);
    return command;
}

DocumentCommand DocumentCommand::SetLineStart(const Document& document, int line, ByteCode start) {
    return SetLineStart(document, line, TableCode::OneByte(start));
}

DocumentCommand DocumentCommand::SetLineStart(const Document& document, int line,
                                              std::optional<TableCode> start) {
    DocumentCommand command;
    command.forward_.orderEdit = Edit::SetStart;
    command.forward_.line = line;
    command.forward_.value.SetStartCode(start);
    command.backward_.orderEdit = Edit::SetStart;
    command.backward_.line = line;
    command.backward_.value.SetStartCode(document.Order().StartCodeOf(line));
    return command;
}

DocumentCommand DocumentCommand::PutEntry(const Document& document, TableCode code,
                                          TableEntry entry, const std::string& lineText) {
    DocumentCommand command;
    const int line = document.Order().LineCount();
    command.forward_.orderEdit = Edit::Insert;
    command.forward_.line = line;
    command.forward_.value = {lineText, false, 0};
    command.backward_.orderEdit = Edit::Remove;
    command.backward_.line = line;
    // A one-byte code typed becomes the current code, as every typed code does; the current code
    // is one byte, so a two-byte code leaves it.
    if (!code.IsTwoByte()) {
        command.forward_.currentCode = code.FirstByte();
        command.backward_.currentCode = document.Table().CurrentCode;
    }
    command.PutSlot(document, code, std::move(entry));
    return command;
}

DocumentCommand DocumentCommand::PutEntries(
    const Document& document, const std::vector<std::pair<TableCode, TableEntry>>& entries) {
    DocumentCommand command;
    for (const auto& [code, entry] : entries) command.PutSlot(document, code, entry);
    return command;
}

DocumentCommand DocumentCommand::PutEntries(
    const Document& document, const std::vector<std::pair<TableCode, TableEntry>>& entries,
    const std::string& id, const std::vector<NamedTable>& further) {
    DocumentCommand command = PutEntries(document, entries);
    const Workspace& now = document.Table();
    Workspace after;
    after.TableId = now.TableId;
    after.FurtherTables = now.FurtherTables;
    after.PutTables(id, further);
    std::string& tableId = after.TableId;
    std::vector<NamedTable>& tables = after.FurtherTables;
    if (tableId != now.TableId || tables != now.FurtherTables) {
        command.forward_.tables.emplace(std::move(tableId), std::move(tables));
        command.backward_.tables.emplace(now.TableId, now.FurtherTables);
    }
    return command;
}

DocumentCommand DocumentCommand::StoreTable(const Document& document, const Workspace& table) {
    DocumentCommand command;
    for (int code = 0; code < kCodeCount; ++code) {
        const auto slot = static_cast<ByteCode>(code);
        if (table.TableText.At(slot) != document.TableText().At(slot)) {
            command.PutSlot(document, TableCode::OneByte(slot), table.TableText.At(slot));
        }
    }
    // Both maps in step, by stored bytes: a code only one of them holds is put or taken away.
    const TwoByteTable& before = document.TableText().TwoByte();
    const TwoByteTable& after = table.TableText.TwoByte();
    auto was = before.begin();
    auto will = after.begin();
    while (was != before.end() || will != after.end()) {
        if (will == after.end() || (was != before.end() && was->first < will->first)) {
            command.PutSlot(document, TableCode::TwoByte(was->first), {});
            ++was;
        } else if (was == before.end() || will->first < was->first) {
            command.PutSlot(document, TableCode::TwoByte(will->first), will->second);
            ++will;
        } else {
            if (was->second != will->second) {
                command.PutSlot(document, TableCode::TwoByte(will->first), will->second);
            }
            ++was;
            ++will;
        }
    }
    const Workspace& now = document.Table();
    if (table.CurrentCode != now.CurrentCode) {
        command.forward_.currentCode = table.CurrentCode;
        command.backward_.currentCode = now.CurrentCode;
    }
    if (table.LastCode != now.LastCode) {
        command.forward_.lastCode = table.LastCode;
        command.backward_.lastCode = now.LastCode;
    }
    return command;
}

DocumentCommand DocumentCommand::SetStartCode(const Document& document, std::string text) {
    DocumentCommand command;
    if (text != document.StartCode()) {
        command.backward_.startCode = document.StartCode();
        command.forward_.startCode = std::move(text);
    }
    return command;
}

DocumentCommand DocumentCommand::SetCodeOrder(const Document& document, CodeOrder order) {
    DocumentCommand command;
    if (order != document.TwoByteOrder()) {
        command.backward_.codeOrder = document.TwoByteOrder();
        command.forward_.codeOrder = order;
    }
    return command;
}

DocumentCommand DocumentCommand::SetFeatureSettings(const Document& document,
                                                    const std::string& feature, std::string json) {
    DocumentCommand command;
    const auto& all = document.Contents().featureSettings;
    const auto held = all.find(feature);
    std::string before = held == all.end() ? std::string() : held->second;
    if (json != before) {
        command.backward_.featureSettings.emplace(feature, std::move(before));
        command.forward_.featureSettings.emplace(feature, std::move(json));
    }
    return command;
}

void DocumentCommand::Do(Document& document) const {
    if (IsEmpty()) return;
    revisions_.before = document.Revision();
    document.Apply(forward_, revisions_.after);
    revisions_.after = document.Revision();
}

void DocumentCommand::Undo(Document& document) const {
    if (IsEmpty()) return;
    document.Apply(backward_, revisions_.before);
}

bool DocumentCommand::CanJoin(const DocumentCommand& later) const {
    const auto onlyStartCode = [](const DocumentCommand& command) {
        const DocumentStep& step = command.forward_;
        return step.startCode && step.orderEdit == Edit::None && step.entries.empty() &&
               !step.currentCode && !step.lastCode && !step.codeOrder && !step.featureSettings;
    };
    return onlyStartCode(*this) && onlyStartCode(later);
}

void DocumentCommand::Join(const DocumentCommand& later) {
    forward_ = later.forward_;
    revisions_.after = later.revisions_.after;
}

bool DocumentCommand::IsEmpty() const {
    return forward_.orderEdit == Edit::None && forward_.entries.empty() && !forward_.currentCode &&
           !forward_.lastCode && !forward_.startCode && !forward_.featureSettings &&
           !forward_.codeOrder && !forward_.tables;
}

}  // namespace glyphwright
