#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "WindowQueries.h"

namespace glyphwright::test {

// Answers the windows' modal questions from a script, so that no real box ever appears, and
// writes down what it was asked and told, in order, into `log`.
class ScriptedWindowUser final : public WindowQueries {
public:
    struct Message {
        std::string title;
        std::string text;
        MessageIcon icon;
    };

    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::string>> pathAnswers;
    std::deque<bool> yesNoAnswers;
    std::function<void()> beforeSavePath;  // may throw, to stand for a failure inside an action

    std::vector<std::string> textPrompts;  // "prompt|title"
    std::vector<std::string> pathFilters;
    std::vector<Message> questions;  // Yes/No boxes
    std::vector<Message> messages;   // OK boxes
    std::vector<std::string> log;    // every box, and whatever a test adds, in order

    std::optional<std::string> AskText(const std::string& prompt,
                                       const std::string& title) override {
        textPrompts.push_back(prompt + "|" + title);
        log.push_back("input:" + title);
        return Next(textAnswers);
    }

    std::optional<std::string> AskSavePath(const std::string& filter) override {
        pathFilters.push_back(filter);
        log.push_back("save:" + filter);
        if (beforeSavePath) beforeSavePath();
        return Next(pathAnswers);
    }

    void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
        messages.push_back({title, text, icon});
        log.push_back("message:" + title);
    }

    bool AskYesNo(const std::string& title, const std::string& text, MessageIcon icon) override {
        questions.push_back({title, text, icon});
        log.push_back("question:" + title);
        if (yesNoAnswers.empty()) return false;  // unscripted: the harmless answer
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
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
