// Any text through ParseHexByte: it must not crash and must agree with a plain second reading of
// the rules (hex digits of either case, leading zeros allowed, then blanks only; at most FF).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/table/ParseHexByte.h"

namespace {

using glyphwright::HexError;

struct Expected {
    bool ok;
    int value;
    HexError error;
};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int DigitValue(char c) {
    if (c <= '9') return c - '0';
    if (c >= 'a') return c - 'a' + 10;
    return c - 'A' + 10;
}

Expected ReadByHand(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    const std::string_view digits = text.substr(0, end);
    if (digits.empty()) return {false, 0, HexError::NotANumber};
    for (const char c : digits) {
        if (!IsHexDigit(c)) return {false, 0, HexError::NotANumber};
    }
    std::size_t first = 0;
    while (first < digits.size() && digits[first] == '0') ++first;
    const std::string_view significant = digits.substr(first);
    if (significant.size() > 2) return {false, 0, HexError::OutOfRange};
    int value = 0;
    for (const char c : significant) value = value * 16 + DigitValue(c);
    return {true, value, HexError::NotANumber};
}

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "ParseHexByte: %s for \"%.*s\" (%zu bytes)\n", what,
                 static_cast<int>(text.size()), text.data(), text.size());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = glyphwright::ReadHexByte(text);
    const Expected expected = ReadByHand(text);

    if (read.ok() != expected.ok) Fail(read.ok() ? "accepted a non-byte" : "refused a byte", text);
    if (expected.ok && read.value() != expected.value) Fail("wrong value", text);
    if (!expected.ok && read.error() != expected.error) Fail("wrong kind of failure", text);
    return 0;
}
