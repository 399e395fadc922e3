#pragma once

#include <optional>
#include <string>

namespace glyphwright {

// What the table command asks the user. The windows answer with real boxes (and their words);
// tests answer from a script.
class UserQueries {
public:
    virtual ~UserQueries() = default;

    // The start code, asked for when the start-code box is empty: the typed text on OK
    // (possibly empty), nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskStartCode() = 0;

    // The path to save the table file at, exactly as the Save dialog gives it; nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskSavePath() = 0;

protected:
    UserQueries() = default;
    UserQueries(const UserQueries&) = default;
    UserQueries& operator=(const UserQueries&) = default;
};

}  // namespace glyphwright
