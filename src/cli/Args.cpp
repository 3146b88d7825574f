#include "cli/Args.h"

namespace marquill::cli {

std::optional<Args> Args::parse(const std::vector<std::string>& words,
                                const std::set<std::string>& flags, std::string* error) {
    Args args;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            std::string name = w.substr(2);
            std::string value;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (!flags.count(name)) {
                if (i + 1 >= words.size()) {
                    if (error) *error = "option --" + name + " needs a value";
                    return std::nullopt;
                }
                value = words[++i];
            }
            args.options_.emplace(name, value);
            args.order_.push_back(name);
        } else {
            args.positional_.push_back(w);
        }
    }
    return args;
}

std::optional<std::string> Args::value(const std::string& option) const {
    auto range = options_.equal_range(option);
    if (range.first == range.second) return std::nullopt;
    auto last = range.second;
    --last;
    return last->second;
}

std::vector<std::string> Args::values(const std::string& option) const {
    std::vector<std::string> out;
    auto range = options_.equal_range(option);
    for (auto it = range.first; it != range.second; ++it)
        out.push_back(it->second);
    return out;
}

std::vector<std::string> Args::optionNames() const {
    return order_;
}

}  // namespace marquill::cli
