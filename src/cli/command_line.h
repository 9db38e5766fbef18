#pragma once

#include <map>
#include <string>
#include <vector>

// An option a subcommand accepts: "--width" with a value, "--json" without.
struct OptionSpec {
    std::string name;
    bool takesValue = true;
};

// The arguments of one subcommand: options ("--name value", "--name=value", "-o value") in any
// order among the positional arguments, "--" ending the options. Problems throw CUsageError.
class CCommandLine {
  public:
    // Every subcommand also takes --help (or -h).
    CCommandLine(const std::vector<std::string>& arguments, const std::vector<OptionSpec>& options);

    bool WantsHelp() const { return Has("--help"); }
    bool Has(const std::string& name) const { return values.count(name) != 0; }

    // Checks the number of positional arguments.
    void RequirePositionals(size_t minimum, size_t maximum) const;
    const std::vector<std::string>& Positionals() const { return positionals; }

    // The value of a required option.
    const std::string& Value(const std::string& name) const;
    // The value of a required option that must be a whole number from minimum to maximum; why
    // tells the user where the limits come from.
    int Number(const std::string& name, int minimum, int maximum, const std::string& why) const;
    // The value of a required option that must be one of choices.
    const std::string& Choice(const std::string& name,
                              const std::vector<std::string>& choices) const;

  private:
    void Take(const std::vector<std::string>& arguments, size_t& i,
              const std::vector<OptionSpec>& options);

    std::map<std::string, std::string> values;
    std::vector<std::string> positionals;
};
