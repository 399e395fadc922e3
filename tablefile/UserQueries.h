#pragma once

#include <optional>
#include <string>

namespace glyphwright {

enum class MessageIcon { None, Exclamation };

// The modal questions the table command puts to the user. The windows answer them with real
// boxes; tests answer them from a script.
class UserQueries {
public:
    virtual ~UserQueries() = default;

    // Input box: the typed text on OK (possibly empty), nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskText(const std::string& prompt,
                                                             const std::string& title) = 0;

    // Save-as dialog with one file-type filter (".tbl files (*.tbl)"): the chosen path exactly
    // as the dialog gives it, nullopt on Cancel.
    [[nodiscard]] virtual std::optional<std::string> AskSavePath(const std::string& filter) = 0;

    // Message box with a single OK button.
    virtual void ShowMessage(const std::string& title, const std::string& text,
                             MessageIcon icon) = 0;

protected:
    UserQueries() = default;
    UserQueries(const UserQueries&) = default;
    UserQueries& operator=(const UserQueries&) = default;
};

}  // namespace glyphwright
