#pragma once

#include <optional>
#include <string>

#include "TableFormat.h"

namespace glyphwright {

// What the table command asks the user. The windows answer with real boxes (and their words);
// tests answer from a script.
class UserQueries {
public:
    virtual ~UserQueries() = default;

    // The start code, asked for when the start-code box is empty: the typed text on OK
    // (possibly empty), nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskStartCode() = 0;

    // Where to save the table file and in which format; nullopt on Cancel.
    [[nodiscard]] virtual std::optional<SaveTarget> AskSaveTarget() = 0;

protected:
    UserQueries() = default;
    UserQueries(const UserQueries&) = default;
    UserQueries& operator=(const UserQueries&) = default;
};

}  // namespace glyphwright
