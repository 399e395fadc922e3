#pragma once

#include <deque>
#include <string>
#include <vector>

#include "WindowQueries.h"
#include "support/ScriptedAnswers.h"

namespace glyphwright::test {

// The windows' modal questions, the exit sequence's Yes/No included, answered from a script.
class ScriptedWindowUser final : public ScriptedAnswers<WindowQueries> {
public:
    std::deque<bool> yesNoAnswers;
    std::vector<Message> questions;  // Yes/No boxes

    bool AskYesNo(const std::string& title, const std::string& text, MessageIcon icon) override {
        questions.push_back({title, text, icon});
        log.push_back("question:" + title);
        return Next(yesNoAnswers, false);  // unscripted: the harmless answer
    }
};

}  // namespace glyphwright::test
