#pragma once

#include <string>

namespace quorvane {

// Message box kinds, numbered as the platform's box styles so that callers and tests speak
// the same numbers the users' screenshots show.
enum class BoxType : int {
    YesNoQuestion = 36,
    Warning = 48,
    WarningOkCancel = 49,
    Information = 64,
    InformationOkCancel = 65,
};

enum class Button : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The answer of a box closed without pressing a button, or answered for a user who has gone:
// the one that changes nothing.
inline Button dismissedAnswer(BoxType type) {
    switch (type) {
        case BoxType::YesNoQuestion:
            return Button::No;
        case BoxType::WarningOkCancel:
        case BoxType::InformationOkCancel:
            return Button::Cancel;
        case BoxType::Warning:
        case BoxType::Information:
            break;
    }
    return Button::Ok;
}

// The answer of a user who goes on: Yes to a question, OK to anything else.
inline Button goOnAnswer(BoxType type) {
    return type == BoxType::YesNoQuestion ? Button::Yes : Button::Ok;
}

// A user-facing text in both languages; the caller picks one with the process-wide English flag.
struct Text {
    std::string zh;
    std::string en;

    const std::string& pick(bool english) const { return english ? en : zh; }
    bool operator==(const Text&) const = default;
};

// What a core operation asks its caller to show in a message box.
struct Message {
    BoxType type = BoxType::WarningOkCancel;
    Text text;

    bool operator==(const Message&) const = default;
};

// The bilingual message box seam: the window shows a real box, the command line prints or
// asks on a terminal, tests script the answers and record what was asked.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual Button ask(const Message& message) = 0;
};

// Every box answered as a user who goes on would: for unattended runs (benchmarks, pictures).
class UnattendedPrompter : public Prompter {
  public:
    Button ask(const Message& message) override { return goOnAnswer(message.type); }
};

}  // namespace quorvane
