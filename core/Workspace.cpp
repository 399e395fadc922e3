#include "Workspace.h"

#include <algorithm>

namespace glyphwright {

void Workspace::RemoveOrderLine(int index) {
    if (index < 0 || index >= kMaxOrderLines) {
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    // The line's name lives one slot above its start.
    std::move(OrderNames.begin() + static_cast<std::ptrdiff_t>(at) + 2, OrderNames.end(),
              OrderNames.begin() + static_cast<std::ptrdiff_t>(at) + 1);
    OrderNames.back().clear();
    std::move(OrderStarts.begin() + static_cast<std::ptrdiff_t>(at) + 1, OrderStarts.end(),
              OrderStarts.begin() + static_cast<std::ptrdiff_t>(at));
    OrderStarts.back() = 0;
}

}  // namespace glyphwright
