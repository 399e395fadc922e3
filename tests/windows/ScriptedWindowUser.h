#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "WindowQueries.h"

namespace glyphwright::test {

// Answers the windows' modal boxes, the exit sequence's Yes/No included, from a script, so that no
// real box ever appears, and writes down what it was asked and told: each kind in its own list,
// and every box, in order, in `log`.
class ScriptedWindowUser final : public WindowQueries {
public:
    struct Message {
        std::string title;
        std::string text;
        MessageIcon icon;
    };

    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::string>> pathAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<Choice> saveDiscardCancelAnswers;
    std::function<void()> beforeSavePath;  // may throw, to stand for a failure inside an action

    std::vector<std::string> textPrompts;   // "prompt|title" for each input box shown
    std::vector<std::string> pathFilters;   // default (first) filter of each Save dialog shown
    std::vector<std::string> lastFilters;   // every filter of the last Save dialog shown
    std::vector<std::string> offeredNames;  // the file each Save dialog was told to offer
    int chosenFilter = 0;                   // the filter each scripted path is saved with
    std::vector<std::string> openFilters;   // every filter of the last typed open dialog shown
    int chosenOpenFilter = 0;               // the filter each scripted path is opened with
    std::vector<Message> messages;          // OK boxes
    std::vector<Message> questions;         // Yes/No boxes
    std::vector<std::string> log;           // every box, and whatever a test adds, in order

    std::optional<std::string> AskText(const std::string& prompt,
                                       const std::string& title) override {
        textPrompts.push_back(prompt + "|" + title);
        log.push_back("input:" + title);
        return Next(textAnswers);
    }

    std::optional<SaveAnswer> AskSavePath(const std::vector<std::string>& filters,
                                          const std::string& offered) override {
        const std::string first = filters.empty() ? std::string() : filters.front();
        offeredNames.push_back(offered);
        pathFilters.push_back(first);
        lastFilters = filters;
        log.push_back("save:" + first);
        if (beforeSavePath) beforeSavePath();
        auto path = Next(pathAnswers);
        if (!path) return std::nullopt;
        const auto filter = static_cast<std::size_t>(chosenFilter);
        return SaveAnswer{*path, filter < filters.size() ? filters[filter] : std::string()};
    }

    std::optional<std::string> AskOpenPath(const std::string& title) override {
        log.push_back("open:" + title);
        return Next(openAnswers);
    }

    std::optional<OpenAnswer> AskOpenPathOfType(const std::string& title,
                                                const std::vector<std::string>& filters) override {
        openFilters = filters;
        auto path = AskOpenPath(title);
        if (!path) return std::nullopt;
        const auto filter = static_cast<std::size_t>(chosenOpenFilter);
        return OpenAnswer{*path, filter < filters.size() ? filters[filter] : std::string()};
    }

    void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
        messages.push_back({title, text, icon});
        log.push_back("message:" + title);
    }

    Choice AskSaveDiscardCancel(const std::string& title, const std::string& text) override {
        questions.push_back({title, text, MessageIcon::Exclamation});
        log.push_back("save-discard-cancel:" + title);
        return Next(saveDiscardCancelAnswers, Choice::Cancel);  // unscripted: the harmless answer
    }

    bool AskYesNo(const std::string& title, const std::string& text, MessageIcon icon) override {
        questions.push_back({title, text, icon});
        log.push_back("question:" + title);
        return Next(yesNoAnswers, false);  // unscripted: the harmless answer
    }

private:
    // An unscripted question counts as Cancel, so a test never hangs on one.
    template <class Answer>
    static Answer Next(std::deque<Answer>& answers, Answer unscripted = {}) {
        if (answers.empty()) return unscripted;
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace glyphwright::test
