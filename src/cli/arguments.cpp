#include "cli/arguments.h"

#include "platform/hostfs.h"

namespace corvane::cli {

namespace {

bool IsPathOption(const std::string& option) {
    return option == "--fs" || option == "--apt";
}

} // namespace

std::optional<Arguments> Arguments::parse(const std::vector<std::string>& args,
                                          const std::map<std::string, int>& optionValues,
                                          std::string* error) {
    Arguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            result.m_positional.push_back(hostfs::HostPath(arg));
            continue;
        }
        const auto known = optionValues.find(arg);
        if (known == optionValues.end()) {
            *error = "unknown option " + arg;
            return std::nullopt;
        }
        std::vector<std::string>& values = result.m_options[arg];
        for (int v = 0; v < known->second; ++v) {
            if (++i >= args.size()) {
                *error = "option " + arg + " needs " + std::to_string(known->second) + " value(s)";
                return std::nullopt;
            }
            values.push_back(IsPathOption(arg) ? hostfs::HostPath(args[i]) : args[i]);
        }
    }
    return result;
}

std::string Arguments::value(const std::string& option, const std::string& fallback) const {
    const auto it = m_options.find(option);
    return it == m_options.end() || it->second.empty() ? fallback : it->second.front();
}

const std::vector<std::string>& Arguments::values(const std::string& option) const {
    static const std::vector<std::string> none;
    const auto it = m_options.find(option);
    return it == m_options.end() ? none : it->second;
}

} // namespace corvane::cli
