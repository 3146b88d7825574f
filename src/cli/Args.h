#pragma once
// Command-line words split into positional words and --options. An option takes the next word as
// its value unless it is a known flag.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace marquill::cli {

class Args {
  public:
    // `flags` are the options that take no value.
    static std::optional<Args> parse(const std::vector<std::string>& words,
                                     const std::set<std::string>& flags, std::string* error);

    [[nodiscard]] const std::vector<std::string>& positional() const { return positional_; }
    [[nodiscard]] bool has(const std::string& option) const { return options_.count(option) > 0; }
    [[nodiscard]] std::optional<std::string> value(const std::string& option) const;
    // Every value given for an option that may repeat, in order.
    [[nodiscard]] std::vector<std::string> values(const std::string& option) const;
    // The options given, for refusing unknown ones.
    [[nodiscard]] std::vector<std::string> optionNames() const;

  private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::string> options_;
    std::vector<std::string> order_;
};

}  // namespace marquill::cli
