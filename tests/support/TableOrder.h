#pragma once

#include <initializer_list>
#include <string>

#include "core/table/TableOrder.h"

namespace glyphwright::test {

struct OrderLine {
    std::string text;  // a set name, or a text that names none
    int start = 0;     // own start code; 0 = none
};

// Adds the lines as "Relative  Entry" and the relative start dialog would.
inline void RecordOrder(TableOrder& order, std::initializer_list<OrderLine> lines) {
    for (const OrderLine& line : lines) {
        if (!order.AppendSetLine(line.text)) throw std::length_error("the Table Order is full");
        if (line.start != 0)
            order.SetStart(order.LineCount() - 1, static_cast<ByteCode>(line.start));
    }
}

}  // namespace glyphwright::test
