#include "core/table/CodeOrder.h"

namespace glyphwright {

std::string CodeOrderName(CodeOrder order) {
    return order == CodeOrder::LittleEndian ? "le" : "be";
}

std::optional<CodeOrder> CodeOrderNamed(std::string_view name) {
    if (name == "be") return CodeOrder::BigEndian;
    if (name == "le") return CodeOrder::LittleEndian;
    return std::nullopt;
}

}  // namespace glyphwright
