#pragma once
// The arguments of one corvane-cli subcommand: options with a fixed number of values, and the
// positional arguments in order. The positional arguments and the values of --fs and --apt are paths,
// taken in the form of host paths (on Windows a backslash between names becomes "/").

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

class Arguments {
public:
    // optionValues: every option the subcommand knows, with the number of values it takes (0 for a flag).
    // Returns nullopt and sets error for an unknown option or a missing value.
    static std::optional<Arguments> parse(const std::vector<std::string>& args,
                                          const std::map<std::string, int>& optionValues, std::string* error);

    bool has(const std::string& option) const { return m_options.count(option) > 0; }
    // The first value of an option, or fallback when it was not given.
    std::string value(const std::string& option, const std::string& fallback = {}) const;
    const std::vector<std::string>& values(const std::string& option) const;
    const std::vector<std::string>& positional() const { return m_positional; }

private:
    std::map<std::string, std::vector<std::string>> m_options;
    std::vector<std::string> m_positional;
};

} // namespace corvane::cli
