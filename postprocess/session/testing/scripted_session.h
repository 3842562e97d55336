#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "common/message.h"
#include "postprocess/session/session_host.h"

namespace quorvane::test {

// Answers message boxes from a script (No when it runs out) and records what was asked.
class ScriptedPrompter : public Prompter {
  public:
    Button ask(const Message& message) override {
        asked.push_back(message);
        if (answers.empty())
            return Button::No;
        const Button answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<Button> answers;
    std::vector<Message> asked;
};

// Answers the file and start-depth dialogs from a script (cancel when it runs out).
class ScriptedHost : public SessionHost {
  public:
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (files.empty())
            return std::nullopt;
        auto choice = files.front();
        files.pop_front();
        return choice;
    }
    std::optional<float> askStartDepth(float proposed) override {
        proposedDepths.push_back(proposed);
        if (depths.empty())
            return std::nullopt;
        auto depth = depths.front();
        depths.pop_front();
        return depth;
    }
    std::optional<CastStamp> askCastStamp(const CastStampTexts& proposed,
                                          bool positionWanted) override {
        proposedStamps.push_back({proposed, positionWanted});
        if (stamps.empty())
            return std::nullopt;
        auto stamp = stamps.front();
        stamps.pop_front();
        return stamp;
    }
    void repaintNow() override { ++repaints; }

    std::deque<std::optional<FileChoice>> files;
    std::deque<std::optional<float>> depths;
    std::vector<FileDialogRequest> requests;
    std::vector<float> proposedDepths;
    std::deque<std::optional<CastStamp>> stamps;
    std::vector<std::pair<CastStampTexts, bool>> proposedStamps;
    int repaints = 0;
};

}  // namespace quorvane::test
