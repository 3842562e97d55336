#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quorvane {

// A command line split into positional words, options with values and flags. Options are
// declared up front so that a typo is an error, not a silently ignored setting.
class Arguments {
  public:
    // `valued`: options that take a value ("--out DIR" or "--out=DIR"); `flags`: switches.
    Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued,
              const std::set<std::string>& flags);

    const std::string& error() const { return error_; }  // empty when the line parsed
    const std::vector<std::string>& positional() const { return positional_; }
    bool flag(const std::string& name) const { return flags_.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;  // the last one given
    std::vector<std::string> values(const std::string& name) const;   // every one, in order

    // A finite number, or an error naming the option. Empty when the option is absent.
    std::optional<double> number(const std::string& name, std::string& error) const;

  private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::string error_;
};

}  // namespace quorvane
