#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tablefile/UserQueries.h"

namespace glyphwright::test {

// Answers the table command's questions from a script and records what it was asked and told.
class ScriptedUser final : public UserQueries {
public:
    struct Message {
        std::string title;
        std::string text;
        MessageIcon icon;
    };

    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::string>> pathAnswers;

    std::vector<std::string> textPrompts;  // "prompt|title" for each input box shown
    std::vector<std::string> pathFilters;  // filter of each Save dialog shown
    std::vector<Message> messages;

    std::optional<std::string> AskText(const std::string& prompt,
                                       const std::string& title) override {
        textPrompts.push_back(prompt + "|" + title);
        return Next(textAnswers);
    }

    std::optional<std::string> AskSavePath(const std::string& filter) override {
        pathFilters.push_back(filter);
        return Next(pathAnswers);
    }

    void ShowMessage(const std::string& title, const std::string& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }

private:
    // An unscripted question counts as Cancel, so a test never hangs on one.
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace glyphwright::test
