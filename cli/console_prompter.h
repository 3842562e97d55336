#pragma once

#include <cstdio>

#include "common/message.h"

namespace quorvane::cli {

// The message box of the command line: the text goes to stderr in the chosen language.
// Questions take `--yes` as the answer, else ask on a terminal, else say No: a script never
// agrees to anything destructive by accident.
class ConsolePrompter : public Prompter {
  public:
    ConsolePrompter(bool english, bool assumeYes, std::FILE* input = stdin,
                    std::FILE* output = stderr);

    Button ask(const Message& message) override;
    void say(const Text& text);

    bool english() const { return english_; }

  private:
    bool english_;
    bool assumeYes_;
    std::FILE* input_;
    std::FILE* output_;
};

}  // namespace quorvane::cli
