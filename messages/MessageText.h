#pragma once

#include <QString>

#include <cstdint>
#include <string_view>

#include "HexText.h"

namespace glyphwright {

// Helpers the message files share: the user's bytes as text, and codes in hex.
inline QString Text(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline QString Hex(int code) {
    return HexNumber(static_cast<std::uint64_t>(code));
}

// A visitor that picks the overload for whichever failure it holds.
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace glyphwright
