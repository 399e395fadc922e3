#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/table/Document.h"

namespace glyphwright {

// One change of a document that can be done and undone: the two steps are worked out against the
// document as it stands when the command is made, and the command is made just before it is done.
// Each maker expects what the windows check first (the order not full, the line there).
class DocumentCommand {
public:
    // "Relative  Entry": a line showing `text`, laying the set it names, with its own start.
    [[nodiscard]] static DocumentCommand IncludeSet(const Document& document,
                                                    const std::string& text, ByteCode start = 0);
    // The same with a start of one or two bytes; nullopt for none.
    [[nodiscard]] static DocumentCommand IncludeSet(const Document& document,
                                                    const std::string& text,
                                                    std::optional<TableCode> start);
    // "REMOVE" of the line at 0-based `line`.
    [[nodiscard]] static DocumentCommand RemoveLine(const Document& document, int line);
    // The relative start of the line at 0-based `line`.
    [[nodiscard]] static DocumentCommand SetLineStart(const Document& document, int line,
                                                      ByteCode start);
    // The same with a start of one or two bytes; nullopt (or the one-byte 00) for none.
    [[nodiscard]] static DocumentCommand SetLineStart(const Document& document, int line,
                                                      std::optional<TableCode> start);
    // A single entry: `entry` on `code` at once, and a line showing `lineText`. A one-byte code
    // typed becomes the current code; a two-byte one leaves it.
    [[nodiscard]] static DocumentCommand PutEntry(const Document& document, TableCode code,
                                                  TableEntry entry, const std::string& lineText);
    [[nodiscard]] static DocumentCommand PutEntry(const Document& document, ByteCode code,
                                                  TableEntry entry, const std::string& lineText) {
        return PutEntry(document, TableCode::OneByte(code), std::move(entry), lineText);
    }
    // Entries put on their codes, one- or two-byte, as an import does; no line is added.
    [[nodiscard]] static DocumentCommand PutEntries(
        const Document& document, const std::vector<std::pair<TableCode, TableEntry>>& entries);
    // The same for a file of several tables: `entries` go into the table as above; it takes `id`
    // when it has none; each of `further` goes into the further table of its id, code by code,
    // or comes in whole where the document has no table of that id.
    [[nodiscard]] static DocumentCommand PutEntries(
        const Document& document, const std::vector<std::pair<TableCode, TableEntry>>& entries,
        const std::string& id, const std::vector<NamedTable>& further);
    // What a MAKE TABLE run stored: the table it left, compared slot by slot with the one there,
    // two-byte codes too. A laid member is ordinary text; a two-byte code keeps the kind `table`
    // gives it.
    [[nodiscard]] static DocumentCommand StoreTable(const Document& document,
                                                    const Workspace& table);
    // The start code text.
    [[nodiscard]] static DocumentCommand SetStartCode(const Document& document, std::string text);

    // The byte order of two-byte codes.
    [[nodiscard]] static DocumentCommand SetCodeOrder(const Document& document, CodeOrder order);

    // The whole of a feature's settings, as JSON text; "" takes them away.
    [[nodiscard]] static DocumentCommand SetFeatureSettings(const Document& document,
                                                            const std::string& feature,
                                                            std::string json);

    // Whether doing it would change nothing.
    [[nodiscard]] bool IsEmpty() const;

    // Whether `later` may join this one as one step to undo: both set only the start code, as
    // keys typed one after another do.
    [[nodiscard]] bool CanJoin(const DocumentCommand& later) const;
    // Takes `later`, done just after this one, into it: undone, the two go back together.
    void Join(const DocumentCommand& later);

    // Done and undone, the document goes between the same two revisions each time; a command
    // that changes nothing does nothing, and makes no revision.
    void Do(Document& document) const;
    void Undo(Document& document) const;

private:
    DocumentCommand() = default;
    void PutSlot(const Document& document, TableCode code, TableEntry entry);

    DocumentStep forward_;
    DocumentStep backward_;
    // The revisions the document had before and after the command was first done: learnt then,
    // and reached again by each undo and redo.
    struct Revisions {
        std::uint64_t before = 0;
        std::optional<std::uint64_t> after;
    };
    mutable Revisions revisions_;
};

}  // namespace glyphwright
