#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphwright {

class Document;
class GameFile;

// What the project keeps for the script: the document's settings of the feature "script", a JSON
// object with the pointer blocks as the dump reads them ("100:48:le16+4000") and the range
// ("8000:9000"; empty for none), and the inserter the script is for ("abcde"; none for Atlas).
struct ScriptSettings {
    static constexpr const char* kFeature = "script";

    std::vector<std::string> pointers;
    std::string range;
    std::string inserter;

    // Whatever the document holds; settings missing or unreadable are empty.
    [[nodiscard]] static ScriptSettings Of(const Document& document);
    [[nodiscard]] std::string Json() const;

    friend bool operator==(const ScriptSettings&, const ScriptSettings&) = default;
};

// Where the pointers of every block that reads point to in `game`, ascending and each
// once; a pointer outside the file, or one the file cuts, leads nowhere.
[[nodiscard]] std::vector<std::uint64_t> PointerTargets(const ScriptSettings& settings,
                                                        const GameFile& game);

}  // namespace glyphwright
