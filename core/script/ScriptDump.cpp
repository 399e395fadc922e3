#include "core/script/ScriptDump.h"

#include "core/script/ScriptLine.h"

#include <algorithm>
#include <map>

namespace glyphwright {

namespace {

using Kind = DumpProblem::Kind;

struct PointerRef {
    std::size_t block = 0;
    std::uint64_t index = 0;
    std::uint64_t at = 0;  // where the pointer is stored
};

struct ScriptString {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    bool terminated = true;
    bool fromRange = false;
    std::size_t owner = 0;  // the block that writes it; the range's strings come last
    // Pointers to it, with where in it they point (start for most).
    std::vector<std::pair<std::uint64_t, PointerRef>> writes;
};

class Dumper {
public:
    Dumper(std::span<const std::uint8_t> game, const ScriptTable& table, const DumpRequest& request,
           const std::atomic<bool>* cancel, const DumpProgress* progress)
        : game_(game), table_(table), request_(request), cancel_(cancel), progress_(progress) {}

    // None where the dump was cancelled.
    std::optional<DumpResult> Run();

private:
    // The block whose pointers hold `offset`, the pointer's own block first where blocks overlap.
    [[nodiscard]] std::optional<std::size_t> PointersAt(std::uint64_t offset,
                                                        std::size_t own) const;
    [[nodiscard]] std::uint64_t NextPointers(std::uint64_t offset) const;
    // Tells how far the dump is, `done` of `total` through the part of the work from `from` to
    // `to` percent; false once the dump is to stop.
    [[nodiscard]] bool Going(int from, int to, std::uint64_t done, std::uint64_t total);
    [[nodiscard]] bool ReadPointers();
    [[nodiscard]] bool ReadRange();
    [[nodiscard]] bool GatherStrings();
    ScriptString ReadString(std::uint64_t start);
    void Problem(Kind kind, const PointerRef& ref, std::uint64_t target, std::size_t other = 0);
    void RangeProblem(Kind kind, std::uint64_t target);
    [[nodiscard]] bool Write();
    void WriteString(const ScriptString& string);
    void WritePointer(const PointerRef& ref, std::uint64_t target);
    void WriteLines(std::vector<Piece>& pieces);
    // The inserter's name for the table of that id: Atlas reads a name whose characters after
    // the first are all digits as a number, and takes no capital K in one.
    [[nodiscard]] std::string TableName(std::string_view id) const;
    [[nodiscard]] std::string Name(const PointerRef& ref) const;

    std::span<const std::uint8_t> game_;
    const ScriptTable& table_;
    const DumpRequest& request_;
    const std::atomic<bool>* cancel_;
    const DumpProgress* progress_;
    int told_ = -1;  // the percentage told last
    DumpResult result_;
    std::vector<InserterPointer> inserters_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> tables_;  // each block's bytes, in order
    std::map<std::uint64_t, std::vector<PointerRef>> starts_;
    std::map<std::uint64_t, ScriptString> rangeStrings_;
    std::vector<ScriptString> strings_;
    std::vector<std::vector<std::string>> notes_;  // per block and the range: comments at its head
    std::map<TableCode, std::size_t> unread_;
    // Kept from string to string, so that their memory is taken once.
    std::vector<CodeToken> tokens_;
    std::vector<Piece> pieces_;
    std::vector<Piece> line_;
    bool swapped_ = false;
    std::string_view active_{};  // the table the inserter reads text with now
};

std::optional<std::size_t> Dumper::PointersAt(std::uint64_t offset, std::size_t own) const {
    const auto holds = [&](std::size_t b) {
        return offset >= tables_[b].first && offset < tables_[b].second;
    };
    if (holds(own)) return own;
    for (std::size_t b = 0; b < tables_.size(); ++b) {
        if (holds(b)) return b;
    }
    return std::nullopt;
}

std::uint64_t Dumper::NextPointers(std::uint64_t offset) const {
    std::uint64_t next = game_.size();
    for (const auto& [start, end] : tables_) {
        if (start > offset) next = std::min(next, start);
    }
    return next;
}

bool Dumper::Going(int from, int to, std::uint64_t done, std::uint64_t total) {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) return false;
    if (progress_ != nullptr && *progress_) {
        const double share =
            total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
        const int percent = from + static_cast<int>(share * (to - from));
        if (percent != told_) {
            told_ = percent;
            (*progress_)(percent);
        }
    }
    return true;
}

std::string Dumper::Name(const PointerRef& ref) const {
    return "block " + std::to_string(ref.block + 1) + " pointer " + std::to_string(ref.index + 1) +
           " at $" + HexNumber(ref.at);
}

void Dumper::Problem(Kind kind, const PointerRef& ref, std::uint64_t target, std::size_t other) {
    result_.problems.push_back({kind, ref.block, ref.index, ref.at, target, other, false});
}

void Dumper::RangeProblem(Kind kind, std::uint64_t target) {
    result_.problems.push_back({kind, request_.blocks.size(), 0, 0, target, 0, true});
}

// The share of the work each part takes, in percent: reading the pointers, the range's strings,
// every string, and writing the script.
constexpr int kPointersDone = 10;
constexpr int kRangeDone = 30;
constexpr int kStringsDone = 60;

bool Dumper::ReadPointers() {
    const auto& blocks = request_.blocks;
    std::uint64_t all = 0;
    for (const PointerBlock& block : blocks) {
        all = block.count > UINT64_MAX - all ? UINT64_MAX : all + block.count;
    }
    std::uint64_t done = 0;
    for (const PointerBlock& block : blocks) {
        tables_.emplace_back(std::min<std::uint64_t>(block.offset, game_.size()),
                             std::min<std::uint64_t>(block.End(), game_.size()));
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        for (std::size_t c = 0; c < b; ++c) {
            if (blocks[b].offset < blocks[c].End() && blocks[c].offset < blocks[b].End()) {
                Problem(Kind::BlocksOverlap, {b, 0, blocks[b].offset}, blocks[c].offset, c);
                notes_[b].push_back("// ! These pointers overlap those of block " +
                                    std::to_string(c + 1) + ".");
            }
        }
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const PointerBlock& block = blocks[b];
        const auto width = static_cast<std::uint64_t>(block.kind.bytes);
        std::optional<InserterPointer> inserter;
        for (std::uint64_t i = 0; i < block.count; ++i) {
            if (!Going(0, kPointersDone, done++, all)) return false;
            const PointerRef ref{b, i, block.offset + i * width};
            if (block.offset >= game_.size() || i * width > game_.size() - block.offset ||
                game_.size() - ref.at < width) {
                Problem(Kind::PointerPastEnd, ref, ref.at);
                notes_[b].push_back("// ! Pointer " + std::to_string(i + 1) + " and the " +
                                    std::to_string(block.count - i - 1) +
                                    " after it lie past the file's end, at $" + HexNumber(ref.at) +
                                    ".");
                break;
            }
            ++result_.pointers;
            const std::uint32_t value = PointerValue(block.kind, game_.subspan(ref.at, width));
            const auto target = OffsetOf(block.kind, value);
            if (!target || *target >= game_.size()) {
                Problem(Kind::OutsideFile, ref, target.value_or(value));
                notes_[b].push_back("// ! Pointer " + std::to_string(i + 1) + " at $" +
                                    HexNumber(ref.at) + " holds $" + HexNumber(value) +
                                    ", outside the file: not written.");
                continue;
            }
            if (const auto into = PointersAt(*target, b)) {
                // Its string would be written over pointers: over its own, a loop.
                Problem(Kind::IntoPointers, ref, *target, *into);
                notes_[b].push_back(
                    "// ! Pointer " + std::to_string(i + 1) + " at $" + HexNumber(ref.at) +
                    " points to $" + HexNumber(*target) +
                    (*into == b ? ", back into its own table of pointers"
                                : ", into the pointers of block " + std::to_string(*into + 1)) +
                    ": not written.");
                continue;
            }
            if (!inserter) inserter = InserterPointerFor(block.kind, value);
            if (inserter->ValueFor(*target) != value) {
                Problem(Kind::NotWrittenBack, ref, *target);
                notes_[b].push_back(
                    "// ! Pointer " + std::to_string(i + 1) + " at $" + HexNumber(ref.at) +
                    " holds $" + HexNumber(value) + "; the inserter will write $" +
                    HexNumber(inserter->ValueFor(*target)) + " for $" + HexNumber(*target) + ".");
            }
            starts_[*target].push_back(ref);
        }
        inserters_.push_back(inserter.value_or(InserterPointerFor(block.kind, 0)));
    }
    return true;
}

bool Dumper::ReadRange() {
    if (!request_.range) return true;
    if (request_.range->start >= game_.size()) {
        RangeProblem(Kind::RangePastEnd, request_.range->start);
        notes_[request_.blocks.size()].push_back("// ! The range begins past the file's end, $" +
                                                 HexNumber(game_.size()) + ": nothing read.");
        return true;
    }
    const std::uint64_t end = std::min<std::uint64_t>(request_.range->end, game_.size());
    if (request_.range->start >= end) return true;
    // Read a window at a time: a range may be the whole game, and every byte is a token.
    constexpr std::uint64_t kWindow = 1 << 16;
    std::vector<CodeToken> tokens;
    std::uint64_t start = request_.range->start;  // of the string being read
    for (std::uint64_t scan = start; scan < end;) {
        if (!Going(kPointersDone, kRangeDone, scan - request_.range->start,
                   end - request_.range->start)) {
            return false;
        }
        const std::uint64_t windowEnd = std::min(end, scan + kWindow);
        table_.Reader().Read(game_.subspan(scan, windowEnd - scan), tokens);
        std::uint64_t next = windowEnd;
        for (const CodeToken& token : tokens) {
            const std::uint64_t after =
                scan + token.offset + static_cast<std::uint64_t>(token.Length());
            // The window's last byte may begin a code the window cuts: read again from it.
            if (windowEnd < end && after >= windowEnd) {
                // From the string's start where the window holds it: a switch read before
                // decides how the bytes after it read.
                next = start > scan ? start : scan + token.offset;
                break;
            }
            if (token.kind != EntryKind::EndCode) continue;
            rangeStrings_[start] = {start, after, true, true, request_.blocks.size(), {}};
            start = after;
        }
        scan = next;
    }
    // The bytes after the last end code are the range's last string.
    if (start < end) rangeStrings_[start] = {start, end, false, true, request_.blocks.size(), {}};
    return true;
}

ScriptString Dumper::ReadString(std::uint64_t start) {
    const std::uint64_t limit = NextPointers(start);
    std::vector<CodeToken>& tokens = tokens_;
    for (std::uint64_t length = 64;; length *= 2) {
        const std::uint64_t end = std::min(limit, start + length);
        table_.Reader().Read(game_.subspan(start, end - start), tokens);
        for (const CodeToken& token : tokens) {
            // The last byte of a window may begin a longer code than the window shows.
            const std::uint64_t after = token.offset + static_cast<std::uint64_t>(token.Length());
            if (start + after >= end && end < limit) break;
            if (token.kind == EntryKind::EndCode) return {start, start + after, true, false, 0, {}};
        }
        if (end == limit) return {start, limit, false, false, 0, {}};
    }
}

bool Dumper::GatherStrings() {
    std::map<std::uint64_t, bool> all;  // every start, pointed to or found by the range
    for (const auto& [start, refs] : starts_) all[start] = true;
    for (const auto& [start, string] : rangeStrings_) all.try_emplace(start, false);
    std::uint64_t done = 0;
    for (const auto& [start, pointed] : all) {
        if (!Going(kRangeDone, kStringsDone, done++, all.size())) return false;
        if (!strings_.empty() && start < strings_.back().end) {
            ScriptString& into = strings_.back();
            if (!pointed) continue;  // a range's end code inside a string read already
            for (const PointerRef& ref : starts_[start]) {
                Problem(Kind::IntoString, ref, start, static_cast<std::size_t>(into.start));
                into.writes.emplace_back(start, ref);
            }
            continue;
        }
        const auto ranged = rangeStrings_.find(start);
        ScriptString string = ranged != rangeStrings_.end() ? ranged->second : ReadString(start);
        if (pointed) {
            string.owner = request_.blocks.size();
            for (const PointerRef& ref : starts_[start]) {
                string.owner = std::min(string.owner, ref.block);
                string.writes.emplace_back(start, ref);
            }
        }
        if (!string.terminated && !string.fromRange) {
            Problem(Kind::NoEndCode, string.writes.front().second, start);
        }
        strings_.push_back(std::move(string));
    }
    result_.strings = strings_.size();
    return true;
}

void Dumper::WritePointer(const PointerRef& ref, std::uint64_t target) {
    (void)target;
    const InserterPointer& inserter = inserters_[ref.block];
    if (inserter.bigEndian != swapped_) {
        swapped_ = inserter.bigEndian;
        result_.script += swapped_ ? "#ENDIANSWAP(\"TRUE\")\n" : "#ENDIANSWAP(\"FALSE\")\n";
    }
    result_.script +=
        "#WRITE(Ptr_" + std::to_string(ref.block + 1) + ", $" + HexNumber(ref.at) + ")\n";
}

void Dumper::WriteLines(std::vector<Piece>& pieces) {
    std::vector<Piece>& line = line_;
    std::string_view lineTable = active_;
    const auto flush = [&] {
        if (line.empty()) return;
        // A line is read through one table: the inserter is told which before it, where that
        // changes.
        if (lineTable != active_) {
            active_ = lineTable;
            result_.script += "#ACTIVETBL(" + TableName(active_) + ")\n";
        }
        MakeReadable(line, table_.TableOf(lineTable));
        for (const Piece& piece : line) result_.script += piece.text;
        result_.script += '\n';
        line.clear();
    };
    for (Piece& piece : pieces) {
        if (!piece.anyTable && piece.table != lineTable) {
            flush();
            lineTable = piece.table;
        }
        const bool ends = piece.lineEnds;
        line.push_back(std::move(piece));
        if (ends) flush();
    }
    flush();
    pieces.clear();
}

std::string Dumper::TableName(std::string_view id) const {
    if (id.empty()) return "GameTable";
    const auto& further = table_.FurtherTables();
    for (std::size_t t = 0; t < further.size(); ++t) {
        if (further[t].id == id) return "Table_" + std::to_string(t + 1);
    }
    return "GameTable";
}

void Dumper::WriteString(const ScriptString& string) {
    std::string& script = result_.script;
    script += "// $" + HexNumber(string.start, 6);
    if (string.writes.empty()) script += " (read between end codes)";
    for (std::size_t i = 0; i < string.writes.size(); ++i) {
        if (string.writes[i].first != string.start) continue;
        script += i == 0 ? " " : "; ";
        script += Name(string.writes[i].second);
    }
    script += '\n';
    auto write = string.writes.begin();
    for (; write != string.writes.end() && write->first == string.start; ++write) {
        WritePointer(write->second, string.start);
    }
    const auto bytes = game_.subspan(string.start, string.end - string.start);
    std::vector<Piece>& pieces = pieces_;
    std::vector<std::uint8_t> unknown;
    table_.Reader().Read(bytes, tokens_);
    for (const CodeToken& token : tokens_) {
        const std::uint64_t at = string.start + token.offset;
        const auto length = static_cast<std::uint64_t>(token.Length());
        for (; write != string.writes.end() && write->first <= at; ++write) {
            WriteLines(pieces);
            script += "// ! " + Name(write->second) + " points here, into the string at $" +
                      HexNumber(string.start) + ".\n";
            WritePointer(write->second, write->first);
        }
        // A pointer into the middle of a two-byte code splits it into its bytes.
        const bool split = write != string.writes.end() && write->first < at + length;
        if (!token.known) {
            ++unread_[token.code];
            unknown.push_back(token.code.FirstByte());
        }
        if (split || !token.known) {
            for (std::uint64_t i = 0; i < length; ++i) {
                if (write != string.writes.end() && write->first == at + i) {
                    WriteLines(pieces);
                    script += "// ! " + Name(write->second) + " points here, into the string at $" +
                              HexNumber(string.start) + ".\n";
                    WritePointer(write->second, write->first);
                    ++write;
                }
                Piece piece{
                    {}, std::string(1, static_cast<char>(game_[at + i])), false, false, false};
                MakeRaw(piece);
                piece.table = token.table;
                pieces.push_back(std::move(piece));
            }
            continue;
        }
        Piece piece{std::string(table_.TextOf(token)),
                    token.code.Bytes(),
                    false,
                    token.kind == EntryKind::EndCode || token.kind == EntryKind::LineBreak,
                    table_.TableOf(token.table).StandsAlone(token.code),
                    token.table};
        // An inserter reads no switch and no linked entry's label: their bytes go raw. The text
        // after a switch is read through the table it names, which the script makes the
        // inserter's table there.
        if (token.kind == EntryKind::Linked) MakeRaw(piece);
        if (token.kind == EntryKind::TableSwitch) {
            MakeRaw(piece);
            piece.anyTable = true;
        }
        pieces.push_back(std::move(piece));
        // A linked entry's parameters are no text: raw bytes after its code.
        for (int i = 0; i < token.parameters; ++i) {
            const std::uint64_t parameter = at + static_cast<std::uint64_t>(token.code.Width() + i);
            Piece raw{{}, std::string(1, static_cast<char>(game_[parameter])), false, false, false};
            MakeRaw(raw);
            raw.anyTable = true;
            pieces.push_back(std::move(raw));
        }
    }
    WriteLines(pieces);
    if (!unknown.empty()) {
        std::sort(unknown.begin(), unknown.end());
        unknown.erase(std::unique(unknown.begin(), unknown.end()), unknown.end());
        script += "// ! Read without an entry:";
        for (const std::uint8_t byte : unknown) script += ' ' + HexNumber(byte, 2);
        script += '\n';
        if (string.writes.empty()) {
            RangeProblem(Kind::UnreadableBytes, string.start);
        } else {
            Problem(Kind::UnreadableBytes, string.writes.front().second, string.start);
        }
    }
    if (!string.terminated && !string.fromRange) {
        script +=
            "// ! No end code before $" + HexNumber(string.end) +
            (string.end == game_.size() ? ", the file's end.\n" : ", where pointers begin.\n");
    }
}

bool Dumper::Write() {
    std::string& script = result_.script;
    std::uint64_t done = 0;
    // Room for what a string usually takes: its text, about three bytes a code, its comment and
    // its pointers' lines; grown once or twice where it is more.
    std::uint64_t room = 0;
    for (const ScriptString& string : strings_) {
        room += 3 * (string.end - string.start) + 40 + 24 * string.writes.size();
    }
    script.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(room, std::uint64_t{1} << 30)));
    script += table_.ReadBy() == Inserter::Abcde
                  ? "// Atlas script for abcde (abcde -cm abcde::Atlas)\n"
                  : "// Atlas script (Atlas 1.12, abcde -cm abcde::Atlas)\n";
    script += "#VAR(GameTable, TABLE)\n";
    script += "#ADDTBL(\"" + request_.tablePath + "\", GameTable)\n";
    // The tables switches read through, each from a file of its own.
    for (const auto& further : table_.FurtherTables()) {
        const std::string name = TableName(further.id);
        const auto path = request_.furtherTablePaths.find(further.id);
        script += "// " + name + ": the table \"" + further.id + "\"\n";
        script += "#VAR(" + name + ", TABLE)\n";
        script += "#ADDTBL(\"" +
                  (path != request_.furtherTablePaths.end()
                       ? path->second
                       : FurtherTablePath(request_.tablePath, further.id)) +
                  "\", " + name + ")\n";
    }
    script += "#ACTIVETBL(GameTable)\n";
    for (std::size_t b = 0; b < request_.blocks.size(); ++b) {
        const InserterPointer& pointer = inserters_[b];
        const std::string name = "Ptr_" + std::to_string(b + 1);
        script += "#VAR(" + name + ", CUSTOMPOINTER)\n";
        script += "#CREATEPTR(" + name + ", \"" + pointer.addressType + "\", " +
                  SignedHex(pointer.offsetting) + ", " + std::to_string(pointer.bits) + ")\n";
    }
    for (std::size_t owner = 0; owner <= request_.blocks.size(); ++owner) {
        const bool range = owner == request_.blocks.size();
        if (range && !request_.range) break;
        script += '\n';
        if (range) {
            script += "// The strings from $" + HexNumber(request_.range->start) + " to $" +
                      HexNumber(request_.range->end) + ", read between end codes\n";
        } else {
            const PointerBlock& block = request_.blocks[owner];
            script += "// Block " + std::to_string(owner + 1) + ": " + std::to_string(block.count) +
                      (block.count == 1 ? " pointer " : " pointers ") +
                      PointerKindName(block.kind) + " at $" + HexNumber(block.offset) + '\n';
        }
        for (const std::string& note : notes_[owner]) script += note + '\n';
        std::optional<std::uint64_t> position;
        for (const ScriptString& string : strings_) {
            if (string.owner != owner) continue;
            if (!Going(kStringsDone, 100, done++, strings_.size())) return false;
            if (position != string.start) {
                script += "#JMP($" + HexNumber(string.start) + ")\n";
            }
            WriteString(string);
            position = string.end;
        }
    }
    for (const auto& [code, count] : unread_) result_.unread.emplace_back(code, count);
    std::stable_sort(result_.unread.begin(), result_.unread.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return Going(100, 100, 1, 1);
}

std::optional<DumpResult> Dumper::Run() {
    notes_.resize(request_.blocks.size() + 1);
    if (!ReadPointers() || !ReadRange() || !GatherStrings() || !Write()) return std::nullopt;
    return std::move(result_);
}

}  // namespace

std::string FurtherTablePath(std::string_view tablePath, std::string_view id) {
    std::string path(tablePath);
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t at =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? dot : path.size();
    return path.insert(at, "." + std::string(id));
}

DumpResult DumpScript(std::span<const std::uint8_t> game, const ScriptTable& table,
                      const DumpRequest& request) {
    return *Dumper(game, table, request, nullptr, nullptr).Run();
}

Result<DumpResult, DumpCancelled> DumpScript(std::span<const std::uint8_t> game,
                                             const ScriptTable& table, const DumpRequest& request,
                                             const std::atomic<bool>& cancel,
                                             const DumpProgress& progress) {
    auto dump = Dumper(game, table, request, &cancel, &progress).Run();
    if (!dump) return DumpCancelled{};
    return std::move(*dump);
}

}  // namespace glyphwright
