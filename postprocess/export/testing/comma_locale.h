#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace quorvane::test {

// Switches LC_NUMERIC to a locale with a decimal comma for the life of the object and back
// afterwards. A machine without one gets de_DE compiled from the locale sources into a
// folder of its own (LOCPATH), which needs no administrator rights.
class CommaLocale {
  public:
    CommaLocale() {
        if (select()) {
            return;
        }
#if !defined(_WIN32)
        // Per process: ctest runs the tests of one program side by side.
        folder_ = std::filesystem::temp_directory_path() /
                  ("quorvane_comma_locale_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + folder_.string() + "/de_DE.UTF-8' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
        setenv("LOCPATH", folder_.string().c_str(), 1);
        select();
#endif
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, saved_.c_str());
        if (!folder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }

    bool active() const {
        return active_;
    }

  private:
    bool select() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "German_Germany.1252", "de_DE"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                active_ = true;
                return true;
            }
        }
        return false;
    }

    std::string saved_ = std::setlocale(LC_NUMERIC, nullptr);
    bool active_ = false;
    std::filesystem::path folder_;
};

}  // namespace quorvane::test
