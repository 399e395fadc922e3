#include "GameText.h"

#include <array>
#include <cstdio>

#include "EucJp.h"

namespace glyphwright {

ShownTable TableAsShown(const CodeTable& table, const TableOrder& order,
                        std::string_view startCode) {
    ShownTable shown{table, std::nullopt};
    const auto start = ReadHexByte(startCode);
    if (!start) {
        shown.notLaid = start.error();
        return shown;
    }
    const auto assembly = PreviewAssembly(order, start.value());
    if (!assembly) {
        shown.notLaid = assembly.error();
        return shown;
    }
    for (std::size_t code = 0; code < shown.codes.size(); ++code) {
        const LaidCode& laid = assembly.value().laid[code];
        if (laid.line >= 0) shown.codes[code] = laid.member;
    }
    return shown;
}

std::vector<TextCell> ReadThroughTable(std::span<const std::uint8_t> bytes,
                                       const CodeTable& table) {
    // Each entry is decoded once, however often its code occurs.
    std::array<std::optional<TextCell>, kCodeCount> decoded{};
    EucJpDecoder decoder;
    std::vector<TextCell> cells;
    cells.reserve(bytes.size());
    for (const std::uint8_t byte : bytes) {
        std::optional<TextCell>& cell = decoded[byte];
        if (!cell) {
            cell = TextCell{byte, {}, false};
            if (const std::string& entry = table[byte]; !entry.empty()) {
                if (auto text = decoder.Decode(entry)) {
                    cell->text = text.value();
                    cell->known = true;
                }
            }
            if (!cell->known) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "[%02X]", static_cast<unsigned>(byte));
                cell->text = hex;
            }
        }
        cells.push_back(*cell);
    }
    return cells;
}

}  // namespace glyphwright
