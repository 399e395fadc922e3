#pragma once

#include <initializer_list>
#include <string>

#include "core/Workspace.h"

namespace glyphwright::test {

struct OrderLine {
    std::string name;  // recorded set name; empty for a single entry or an unknown text
    int start = 0;     // own start code; 0 = none
};

// Records the lines as the include chooser and the relative start dialog would, and returns the
// line count the Table Order list would then show.
inline int RecordOrder(Workspace& workspace, std::initializer_list<OrderLine> lines) {
    std::size_t index = 0;
    for (const OrderLine& line : lines) {
        workspace.OrderNames[index + 1] = line.name;
        workspace.OrderStarts[index] = static_cast<std::int16_t>(line.start);
        ++index;
    }
    return static_cast<int>(index);
}

}  // namespace glyphwright::test
