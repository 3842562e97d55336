#include "cli/console_prompter.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "cli/terminal.h"
#include "common/utf8_text.h"

namespace quorvane::cli {

namespace {

bool isQuestion(BoxType type) {
    return type == BoxType::YesNoQuestion || type == BoxType::WarningOkCancel ||
           type == BoxType::InformationOkCancel;
}

Button negative(BoxType type) {
    return type == BoxType::YesNoQuestion ? Button::No : Button::Cancel;
}

}  // namespace

ConsolePrompter::ConsolePrompter(bool english, bool assumeYes, std::FILE* input, std::FILE* output)
    : english_(english), assumeYes_(assumeYes), input_(input), output_(output) {}

void ConsolePrompter::say(const Text& text) {
    // Box texts carry the device's file names, made printable; the line breaks of the texts
    // themselves ("Maximum depth…\nAverage…") stay line breaks.
    const std::string& shown = text.pick(english_);
    for (size_t start = 0; start <= shown.size();) {
        const size_t end = std::min(shown.find('\n', start), shown.size());
        std::fprintf(output_, "%s\n", printableText(shown.substr(start, end - start)).c_str());
        start = end + 1;
    }
    std::fflush(output_);
}

Button ConsolePrompter::ask(const Message& message) {
    say(message.text);
    if (!isQuestion(message.type)) {
        return Button::Ok;
    }
    if (assumeYes_) {
        return goOnAnswer(message.type);
    }
    if (!isTerminal(input_)) {
        return negative(message.type);
    }
    std::fprintf(output_, "%s", english_ ? "[y/N] " : "[是 y/否 N] ");
    std::fflush(output_);
    int c = std::fgetc(input_);
    const bool yes = c == 'y' || c == 'Y';
    while (c != EOF && c != '\n') {
        c = std::fgetc(input_);
    }
    return yes ? goOnAnswer(message.type) : negative(message.type);
}

}  // namespace quorvane::cli
