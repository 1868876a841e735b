// The test stand-in for the person at the keyboard: answers from queues, records what was shown.
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/user_interaction.h"

namespace dravn::test {

// Thrown by terminateProgram so a test can see that the program would have ended.
struct ProgramTerminated {
    int exitCode;
};

class ScriptedInteraction : public UserInteraction {
public:
    // Queued answers; when a queue is empty the dialog answers with its default (yes/no),
    // the empty text (input, folder) or nothing (local password).
    std::deque<bool> yesNoAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<std::optional<std::string>> localPasswordAnswers;

    // What the program showed or asked, in order.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> prompts;
    std::vector<std::string> opened;
    std::vector<std::pair<int, int>> progress;
    int waitDepth = 0;
    int quitRequests = 0;

    void showMessage(const std::string& text, const std::string& = {}) override { messages.push_back(text); }
    bool askYesNo(const std::string& question, bool defaultYes) override {
        questions.push_back(question);
        if (yesNoAnswers.empty()) return defaultYes;
        bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    std::string askInput(const std::string& prompt, const std::string&) override {
        prompts.push_back(prompt);
        return pop(inputAnswers);
    }
    std::string chooseFolder(const std::string&) override { return pop(folderAnswers); }
    std::optional<std::string> askLocalServerPassword(const std::string&, const std::string&) override {
        if (localPasswordAnswers.empty()) return std::nullopt;
        auto a = localPasswordAnswers.front();
        localPasswordAnswers.pop_front();
        return a;
    }
    void setWaitCursor(bool busy) override { waitDepth += busy ? 1 : -1; }
    void showProgress(int position, int maximum) override { progress.emplace_back(position, maximum); }
    void shellOpen(const std::string& target) override { opened.push_back(target); }
    void requestQuit() override { ++quitRequests; }
    [[noreturn]] void terminateProgram(int exitCode) override { throw ProgramTerminated{exitCode}; }

private:
    static std::string pop(std::deque<std::string>& q) {
        if (q.empty()) return {};
        std::string a = q.front();
        q.pop_front();
        return a;
    }
};

}  // namespace dravn::test
