#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tablefile/UserQueries.h"

namespace glyphwright::test {

// The table command's questions, answered from a script; an unscripted question is cancelled,
// so a test never hangs on one. `log` lists what was asked, in order.
class ScriptedUser final : public UserQueries {
public:
    std::deque<std::optional<std::string>> startCodeAnswers;
    std::deque<std::optional<std::string>> pathAnswers;  // each saved in `format`
    TableFormat format = TableFormat::Classic;
    std::vector<std::string> log;  // "start code", "save path"

    std::optional<std::string> AskStartCode() override {
        log.emplace_back("start code");
        return Next(startCodeAnswers);
    }
    std::optional<SaveTarget> AskSaveTarget() override {
        log.emplace_back("save path");
        auto path = Next(pathAnswers);
        if (!path) return std::nullopt;
        return SaveTarget{*path, format};
    }

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace glyphwright::test
