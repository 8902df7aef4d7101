#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "model/UserPrompts.h"

namespace tavo {

// Answers the questions from a script and records everything shown. A question
// beyond the script fails the test and is cancelled.
class ScriptedPrompts : public UserPrompts {
public:
    void warning(const std::string& text) override { shown.push_back(text); }
    void information(const std::string& text) override { shown.push_back(text); }
    bool askYesNo(const std::string& text, bool) override { return askYesNoCancel(text, Answer::No) == Answer::Yes; }
    Answer askYesNoCancel(const std::string& text, Answer) override {
        shown.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<Answer> answers;
    std::vector<std::string> shown;
};

}  // namespace tavo
