#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Document.h"

namespace glyphwright {

// One change of a document that can be done and undone: the two steps are worked out against the
// document as it stands when the command is made, and the command is made just before it is done.
// Each maker expects what the windows check first (the order not full, the line there).
class DocumentCommand {
public:
    // "Relative  Entry": a line showing `text`, laying the set it names, with its own start.
    [[nodiscard]] static DocumentCommand IncludeSet(const Document& document,
                                                    const std::string& text, ByteCode start = 0);
    // "REMOVE" of the line at 0-based `line`.
    [[nodiscard]] static DocumentCommand RemoveLine(const Document& document, int line);
    // The relative start of the line at 0-based `line`.
    [[nodiscard]] static DocumentCommand SetLineStart(const Document& document, int line,
                                                      ByteCode start);
    // A single entry: `entry` on `code` at once, and a line showing `lineText`.
    [[nodiscard]] static DocumentCommand PutEntry(const Document& document, ByteCode code,
                                                  TableEntry entry, const std::string& lineText);
    // Entries put on their codes, as an import does; no line is added.
    [[nodiscard]] static DocumentCommand PutEntries(
        const Document& document, const std::vector<std::pair<ByteCode, TableEntry>>& entries);
    // What a MAKE TABLE run stored: the table it left, compared slot by slot with the one there.
    // A laid member is ordinary text.
    [[nodiscard]] static DocumentCommand StoreTable(const Document& document,
                                                    const Workspace& table);
    // The start code text.
    [[nodiscard]] static DocumentCommand SetStartCode(const Document& document, std::string text);

    // The whole of a feature's settings, as JSON text; "" takes them away.
    [[nodiscard]] static DocumentCommand SetFeatureSettings(const Document& document,
                                                            const std::string& feature,
                                                            std::string json);

    // Whether doing it would change nothing.
    [[nodiscard]] bool IsEmpty() const;

    void Do(Document& document) const { document.Apply(forward_); }
    void Undo(Document& document) const { document.Apply(backward_); }

private:
    DocumentCommand() = default;
    void PutSlot(const Document& document, ByteCode code, TableEntry entry);

    DocumentStep forward_;
    DocumentStep backward_;
};

}  // namespace glyphwright
