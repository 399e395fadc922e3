#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/table/Workspace.h"
#include "core/text/CodeReader.h"

namespace glyphwright {

// A code the script uses that the table holds no entry for, and how often.
struct MissingCode {
    ByteCode code = 0;
    std::uint64_t uses = 0;

    friend bool operator==(const MissingCode&, const MissingCode&) = default;
};

// Counts the codes read from a script, piece by piece, that the table holds nothing for. A code
// that begins no entry is read as one byte, so every missing code is a one-byte code.
class ScriptCoverage {
public:
    void Add(const std::vector<CodeToken>& tokens);

    // The missing codes, most used first, then by code. None: the table reads all of the script.
    [[nodiscard]] std::vector<MissingCode> Missing() const;
    // Codes read in all, and of those, how many the table holds.
    [[nodiscard]] std::uint64_t Codes() const { return codes_; }
    [[nodiscard]] std::uint64_t Known() const { return known_; }

private:
    std::array<std::uint64_t, kCodeCount> uses_{};
    std::uint64_t codes_ = 0;
    std::uint64_t known_ = 0;
};

}  // namespace glyphwright
