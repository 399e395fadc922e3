#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/game/GameFile.h"
#include "core/table/CodeOrder.h"
#include "core/table/TableCode.h"
#include "core/table/TableEntry.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// Everything one piece of work holds: what a project file keeps.
struct DocumentContents {
    // Declared, so that "{}" value-initializes the whole: made member by member as an aggregate,
    // GCC 12 warns falsely that the empty map of two-byte codes may be read uninitialized.
    DocumentContents() = default;

    Workspace table;  // each code's entry, and the codes the last MAKE TABLE run covered
    CodeOrder codeOrder = CodeOrder::BigEndian;  // how the game stores two-byte values
    TableOrder order;
    std::string startCode;      // as typed in the start code box
    std::string gameFilePath;   // the game file open, as a path for this machine; "" for none
    std::string tableFileName;  // the table file written last; "" for none
    std::string tableFormat;    // its format: "classic", "utf8" or "sjis"; "" for none
    // Each feature's own settings, by the feature's name; the text is a JSON object.
    std::map<std::string, std::string> featureSettings;

    // One- or two-byte: an empty ordinary entry where the table holds nothing.
    [[nodiscard]] const TableEntry& EntryAt(TableCode code) const {
        return table.TableText.At(code);
    }

    friend bool operator==(const DocumentContents&, const DocumentContents&) = default;
};

// What one change touched, for the views to follow. `orderChange` says line by line what happened
// to the Table Order when `order` is set.
struct DocumentChange {
    bool table = false;      // entries of the table, or the codes the last run covered
    bool order = false;      // the Table Order
    bool startCode = false;  // the start code text
    bool files = false;      // the game file's path or the last table file
    bool settings = false;   // a feature's settings
    OrderChange orderChange{OrderChange::Kind::Replaced, 0};
    bool sets = false;       // the catalogue's sets: what the order's lines lay may differ now
    bool codeOrder = false;  // the byte order of two-byte codes: what two-byte lines lay moves
    bool gameFile = false;   // the game file opened, or closed (by Replace), even at one path
};

// One direction of a command: what it does to the order, the entries and the codes.
struct DocumentStep {
    enum class OrderEdit { None, Insert, Remove, SetStart };
    OrderEdit orderEdit = OrderEdit::None;
    int line = 0;
    TableOrderLine value;  // Insert: the line; SetStart: its start (start and wideStart)
    // One- and two-byte codes alike; an empty ordinary entry takes a two-byte code away.
    std::vector<std::pair<TableCode, TableEntry>> entries;
    std::optional<ByteCode> currentCode;
    std::optional<ByteCode> lastCode;
    std::optional<std::string> startCode;
    std::optional<CodeOrder> codeOrder;
    // A feature's name and the whole of its settings; empty settings: the feature has none.
    std::optional<std::pair<std::string, std::string>> featureSettings;
    // The table's own id and its further tables, whole (Workspace::TableId, FurtherTables).
    std::optional<std::pair<std::string, std::vector<NamedTable>>> tables;
};

// Hears every change of a document: once just before it is made, once just after.
class DocumentObserver {
public:
    virtual void DocumentAboutToChange(const DocumentChange& change) = 0;
    virtual void DocumentChanged(const DocumentChange& change) = 0;

protected:
    DocumentObserver() = default;
    ~DocumentObserver() = default;
    DocumentObserver(const DocumentObserver&) = default;
    DocumentObserver& operator=(const DocumentObserver&) = default;
};

// The one owner of the work: the table with each code's kind, the Table Order, the start code,
// the game file (its path, and the file open), the last table file and the features' settings. Every change goes through here
// and is announced once, saying what changed.
class Document {
public:
    Document();  // the built-in sets only
    // The Table Order looks set names up in `sets`, which must outlive the document; it stays the
    // catalogue through every Replace.
    explicit Document(const SetCatalogue& sets);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    [[nodiscard]] const DocumentContents& Contents() const { return contents_; }
    [[nodiscard]] const Workspace& Table() const { return contents_.table; }
    [[nodiscard]] const TableEntries& TableText() const { return contents_.table.TableText; }
    [[nodiscard]] const TableOrder& Order() const { return contents_.order; }
    [[nodiscard]] const std::string& StartCode() const { return contents_.startCode; }
    [[nodiscard]] CodeOrder TwoByteOrder() const { return contents_.codeOrder; }
    [[nodiscard]] const SetCatalogue& Catalogue() const { return *catalogue_; }
    // The game file open now; its path is the contents' gameFilePath.
    [[nodiscard]] const std::optional<GameFile>& GameFileOpen() const { return gameFile_; }

    // Which state the document is in. Every change makes a new revision; a step undone or redone
    // brings back the revision the document had in that state, so a state once saved is known
    // again by its number. Only what a project keeps counts: a set edited or the same game file
    // read again leave it.
    [[nodiscard]] std::uint64_t Revision() const { return revision_; }

    // Makes one step of a command and reaches `revision`, the one the document had in the state
    // the step brings back; nullopt for a state never seen: a new revision. The caller has
    // checked that the step fits (see DocumentCommand).
    void Apply(const DocumentStep& step, std::optional<std::uint64_t> revision = std::nullopt);
    // Takes all of `contents` in place of what is there (a project opened, a new document). The
    // game file open is closed: the caller opens the one `contents` names.
    void Replace(DocumentContents contents);

    // What is not undone: files are facts of the machine, and a feature's settings follow its
    // window as the user sets it.
    void SetGameFile(GameFile file);
    void SetTableFile(std::string name, std::string format);
    void SetFeatureSettings(const std::string& feature, std::string json);
    // The user's sets changed in the catalogue: announced so that what is laid from the order,
    // and every list of sets, is made again. Nothing of the document itself changes.
    void SetsChanged();

    void AddObserver(DocumentObserver& observer);
    void RemoveObserver(DocumentObserver& observer);

private:
    void AboutTo(const DocumentChange& change);
    void Changed(const DocumentChange& change);
    [[nodiscard]] std::uint64_t NewRevision() { return ++lastRevision_; }

    const SetCatalogue* catalogue_;
    std::uint64_t revision_ = 0;
    std::uint64_t lastRevision_ = 0;  // the newest revision made, so that none is made twice
    DocumentContents contents_;
    std::optional<GameFile> gameFile_;
    std::vector<DocumentObserver*> observers_;
};

}  // namespace glyphwright
