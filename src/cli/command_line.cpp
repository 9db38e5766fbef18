#include "command_line.h"

#include <algorithm>
#include <charconv>

#include "usage_error.h"

namespace {

const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const std::string& name) {
    if (name == "-h" || name == "--help") {
        static const OptionSpec help{"--help", false};
        return &help;
    }
    auto found = std::find_if(options.begin(), options.end(),
                              [&](const OptionSpec& option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

bool IsOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : ", ") + word;
    }
    return text;
}

}  // namespace

CCommandLine::CCommandLine(const std::vector<std::string>& arguments,
                           const std::vector<OptionSpec>& options) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (!optionsEnded && arguments[i] == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(arguments[i])) {
            Take(arguments, i, options);
        } else {
            positionals.push_back(arguments[i]);
        }
    }
}

void CCommandLine::Take(const std::vector<std::string>& arguments, size_t& i,
                        const std::vector<OptionSpec>& options) {
    const std::string& word = arguments[i];
    size_t equals = word.find('=');
    std::string name = word.substr(0, equals);
    const OptionSpec* option = FindOption(options, name);
    if (option == nullptr) {
        throw CUsageError("unknown option " + name);
    }
    if (Has(option->name)) {
        throw CUsageError(option->name + " is given more than once");
    }
    std::string value;
    if (equals != std::string::npos) {
        if (!option->takesValue) {
            throw CUsageError(option->name + " takes no value");
        }
        value = word.substr(equals + 1);
    } else if (option->takesValue) {
        if (i + 1 == arguments.size()) {
            throw CUsageError(option->name + " needs a value");
        }
        value = arguments[++i];
    }
    values[option->name] = value;
}

void CCommandLine::RequirePositionals(size_t minimum, size_t maximum) const {
    if (positionals.size() < minimum) {
        throw CUsageError("too few arguments");
    }
    if (positionals.size() > maximum) {
        throw CUsageError("unexpected argument " + positionals[maximum]);
    }
}

const std::string& CCommandLine::Value(const std::string& name) const {
    auto found = values.find(name);
    if (found == values.end()) {
        throw CUsageError(name + " is required");
    }
    return found->second;
}

int CCommandLine::Number(const std::string& name, int minimum, int maximum,
                         const std::string& why) const {
    const std::string& text = Value(name);
    int number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < minimum ||
        number > maximum) {
        throw CUsageError(name + " must be a whole number from " + std::to_string(minimum) +
                          " to " + std::to_string(maximum) + " (" + why + "), not '" + text + "'");
    }
    return number;
}

const std::string& CCommandLine::Choice(const std::string& name,
                                        const std::vector<std::string>& choices) const {
    const std::string& text = Value(name);
    if (std::find(choices.begin(), choices.end(), text) == choices.end()) {
        throw CUsageError(name + " must be one of " + Joined(choices) + ", not '" + text + "'");
    }
    return text;
}
