#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "common/system_texts.h"

namespace quorvane::test {

// Sets (or with no value removes) one environment variable, UTF-8 like every text the cores
// read from it, for a scope and puts the previous state back afterwards, so one test's setting
// never leaks into the next. On Windows an empty value removes the variable: the C runtime has
// no empty variables.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, std::optional<std::string> value)
        : name_(name), previous_(environmentVariable(name)) {
        assign(value);
    }
    ~ScopedEnvironment() { assign(previous_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void assign(const std::optional<std::string>& value) const {
#if defined(_WIN32)
        _wputenv_s(wideFromUtf8(name_).c_str(), wideFromUtf8(value.value_or("")).c_str());
#else
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
#endif
    }

    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace quorvane::test
