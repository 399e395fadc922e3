#include "core/text/GameText.h"

#include <array>
#include <cstdio>


namespace glyphwright {

ShownTable TableAsShown(const CodeTable& table, const TableOrder& order,
                        std::string_view startCode) {
    ShownTable shown{table, std::nullopt};
    if (const auto assembly = PreviewFromStartCode(order, startCode); !assembly) {
        shown.notLaid = assembly.error();
    } else {
        LayOver(assembly.value(), shown.codes);
        shown.first = assembly.value().start;
        shown.last = assembly.value().last;
    }
    return shown;
}

ShownTable TableAsShown(const Workspace& table, const TableOrder& order,
                        std::string_view startCode, CodeOrder order16) {
    ShownTable shown{table.TableText.Texts(), std::nullopt};
    shown.twoByte = table.TableText.TwoByte();
    if (const auto assembly = PreviewFromStartCode(order, startCode, order16); !assembly) {
        shown.notLaid = assembly.error();
    } else {
        LayOver(assembly.value(), shown.codes);
        LayOver(assembly.value(), shown.twoByte);
        shown.first = assembly.value().start;
        shown.last = assembly.value().last;
    }
    return shown;
}

std::vector<TextCell> ReadThroughTable(std::span<const std::uint8_t> bytes, const CodeTable& table,
                                       ByteCode first, ByteCode last) {
    // Each code's cell is made once, however often the code occurs.
    std::array<std::optional<TextCell>, kCodeCount> decoded{};
    std::vector<TextCell> cells;
    cells.reserve(bytes.size());
    for (const std::uint8_t byte : bytes) {
        std::optional<TextCell>& cell = decoded[byte];
        if (!cell) {
            cell = TextCell{byte, {}, false, byte < first || byte > last};
            if (const std::string& entry = table[byte]; !cell->outside && !entry.empty()) {
                cell->text = entry;
                cell->known = true;
            }
            if (!cell->known) {
                char hex[5];
                std::snprintf(hex, sizeof hex, cell->outside ? "<%02X>" : "[%02X]",
                              static_cast<unsigned>(byte));
                cell->text = hex;
            }
        }
        cells.push_back(*cell);
    }
    return cells;
}

}  // namespace glyphwright
