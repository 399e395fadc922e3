#include "core/text/TextThroughTable.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/text/CodeReader.h"

namespace glyphwright {

ShownCodes CodesAsShown(const DocumentContents& contents) {
    const TableEntries& held = contents.table.TableText;
    ShownCodes shown{{held.Texts(), std::nullopt},
                     held.Kinds(),
                     &held.TwoByte(),
                     std::nullopt};
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

// The text of a code the table holds, as shown.
std::optional<std::string> Shown(const CodeToken& token) {
    switch (token.kind) {
        case EntryKind::Ordinary:
            return std::string(token.text);
        case EntryKind::EndCode:
        case EntryKind::Linked:
        case EntryKind::TableSwitch:
            return "{" + std::string(token.text) + "}";
        case EntryKind::LineBreak:
            return std::string("\u21B5");
    }
    return std::nullopt;
}

}  // namespace

std::vector<TextCell> ReadCodesThroughTable(std::span<const std::uint8_t> bytes,
                                            const ShownCodes& codes) {
    const CodeReader reader(codes.oneByte.codes, codes.kinds, codes.TwoByte(), codes.oneByte.first,
                            codes.oneByte.last);
    std::vector<CodeToken> tokens;
    reader.Read(bytes, tokens);
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
            if (token.code.IsTwoByte()) {
                auto [found, isNew] = twoByte.try_emplace(token.code.Stored());
                if (isNew) found->second = Shown(token);
                text = &found->second;
            } else {
                auto& held = oneByte[first];
                if (!held) held = Shown(token);
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
    }
    return cells;
}

}  // namespace glyphwright
