#include "core/text/TextThroughTable.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/text/CodeReader.h"

namespace glyphwright {

std::unique_ptr<CodeReader> ShownCodes::Reader() const {
    auto reader = wholeTable ? std::make_unique<CodeReader>(oneByte.codes, kinds, TwoByte())
                             : std::make_unique<CodeReader>(oneByte.codes, kinds, TwoByte(),
                                                            oneByte.first, oneByte.last);
    reader->ReadKinds(entries, tables, home);
    return reader;
}

ShownCodes CodesAsShown(const DocumentContents& contents, bool wholeTable, TableLookup tables,
                        std::string home) {
    const TableEntries& held = contents.table.TableText;
    ShownCodes shown{{held.Texts(), std::nullopt},
                     held.Kinds(),
                     &held.TwoByte(),
                     std::nullopt,
                     &held,
                     std::move(tables),
                     std::move(home),
                     wholeTable};
    const auto assembly =
        PreviewFromStartCode(contents.order, contents.startCode, contents.codeOrder);
    if (!assembly) {
        shown.oneByte.notLaid = assembly.error();
        return shown;
    }
    LayOver(assembly.value(), shown.oneByte.codes);
    // Thousands of kanji entries are copied only when a line lays two-byte codes over them.
    if (!assembly.value().twoByte.empty()) {
        shown.laid = held.TwoByte();
        LayOver(assembly.value(), *shown.laid);
    }
    for (int code = 0; code < kCodeCount; ++code) {
        const auto at = static_cast<std::size_t>(code);
        if (assembly.value().laid[at].line >= 0) shown.kinds[at] = EntryKind::Ordinary;
    }
    shown.oneByte.first = assembly.value().start;
    shown.oneByte.last = assembly.value().last;
    return shown;
}

namespace {

// A label as the game text shows it, without the brackets a file may keep around it.
std::string_view Label(std::string_view text) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

// The text of a code the table holds, as shown; `bytes` are those read, from the code's own.
std::optional<std::string> Shown(const CodeToken& token, std::span<const std::uint8_t> bytes) {
    switch (token.kind) {
        case EntryKind::Ordinary:
            return std::string(token.text);
        case EntryKind::EndCode:
            return "{" + std::string(token.text) + "}";
        case EntryKind::LineBreak:
            return std::string("\u21B5");
        case EntryKind::Linked: {
            std::string shown = "[" + std::string(Label(token.text));
            for (int i = 0; i < token.parameters; ++i) {
                char hex[5];
                std::snprintf(hex, sizeof hex, " $%02X",
                              static_cast<unsigned>(bytes[token.offset +
                                                          static_cast<std::size_t>(token.code.Width() + i)]));
                shown += hex;
            }
            if (token.cut) shown += " \u2026";
            return shown + "]";
        }
        case EntryKind::TableSwitch: {
            std::string shown = "{";
            if (const std::string_view label = Label(token.text); !label.empty()) {
                shown += std::string(label) + " ";
            }
            shown += "@" + std::string(token.target);
            if (token.unfollowed) shown += "?";
            return shown + "}";
        }
    }
    return std::nullopt;
}

// Whether a code reads the same wherever it stands: no parameters, no switch, the first table's.
bool SameEverywhere(const CodeToken& token) {
    return token.table.empty() && token.kind != EntryKind::Linked &&
           token.kind != EntryKind::TableSwitch;
}

}  // namespace

std::vector<TextCell> ReadCodesThroughTable(std::span<const std::uint8_t> bytes,
                                            const ShownCodes& codes) {
    std::vector<CodeToken> tokens;
    codes.Reader()->Read(bytes, tokens);
    // Each code's text is made once, however often it occurs.
    std::array<std::optional<std::optional<std::string>>, kCodeCount> oneByte{};
    std::unordered_map<std::uint16_t, std::optional<std::string>> twoByte;
    std::vector<TextCell> cells;
    cells.reserve(bytes.size());
    for (const CodeToken& token : tokens) {
        const ByteCode first = token.code.FirstByte();
        TextCell cell{first, {}, false, token.outside};
        if (token.known) {
            const std::optional<std::string>* text = nullptr;
            std::optional<std::string> once;
            if (!SameEverywhere(token)) {
                once = Shown(token, bytes);
                text = &once;
            } else if (token.code.IsTwoByte()) {
                auto [found, isNew] = twoByte.try_emplace(token.code.Stored());
                if (isNew) found->second = Shown(token, bytes);
                text = &found->second;
            } else {
                auto& held = oneByte[first];
                if (!held) held = Shown(token, bytes);
                text = &*held;
            }
            if (*text) {
                cell.text = **text;
                cell.known = true;
            }
        }
        if (!cell.known) {
            char hex[5];
            std::snprintf(hex, sizeof hex, cell.outside ? "<%02X>" : "[%02X]",
                          static_cast<unsigned>(first));
            cell.text = hex;
            // A two-byte code read but not shown: each of its bytes as unknown.
            if (token.code.IsTwoByte()) {
                cells.push_back(cell);
                std::snprintf(hex, sizeof hex, "[%02X]",
                              static_cast<unsigned>(token.code.SecondByte()));
                cells.push_back({token.code.SecondByte(), hex, false, false});
                continue;
            }
        }
        cells.push_back(std::move(cell));
        if (token.code.IsTwoByte()) cells.push_back({token.code.SecondByte(), {}, true, false});
        for (int i = 0; i < token.parameters; ++i) {
            const std::size_t at = token.offset + static_cast<std::size_t>(token.code.Width() + i);
            cells.push_back({bytes[at], {}, true, false});
        }
    }
    return cells;
}

}  // namespace glyphwright
