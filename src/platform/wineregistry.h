#pragma once
// The registry of a Wine prefix: its system.reg file (the local-machine hive; the classes-root hive is
// its "Software\Classes" key). Wine keeps the registry in its server while any Wine program runs and
// writes it back now and then and when the server ends, so the file may be older than the registry,
// and a change made to the file meanwhile is lost: where Wine can be run on a prefix it has set up, a
// value is read through Wine itself (its reg program), and written and read back through it. Only
// without Wine is system.reg read, and edited directly, replaced atomically; a missing prefix or file
// takes no writes.
//
// In a 64-bit prefix the keys under Software are those that 32-bit programs see (below
// "Software\Wow6432Node"), because the simulator and the real traffic tools are 32-bit programs; a
// value only in the 64-bit branch is still read.
//
// Paths are translated by Wine's winepath where Wine can be run, by the prefix's drive links
// otherwise (WinePrefix); both give the same host paths.

#include "platform/registry.h"
#include "platform/wineprefix.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

class ToolRunner;

// How Wine's programs are run; without a runner Wine is never run.
struct WineCommands {
    ToolRunner* runner = nullptr;
    std::string wine = "wine";
    std::string winepath = "winepath";
};

class WineRegistry final : public Registry {
public:
    explicit WineRegistry(WinePrefix prefix, WineCommands wine = {})
        : m_prefix(std::move(prefix))
        , m_wine(std::move(wine)) {}

    std::string read(std::string_view hive, std::string_view key, std::string_view valueName) const override;
    bool write(std::string_view hive, std::string_view key, std::string_view valueName,
               std::string_view value) override;
    std::string lastWriteError() const override { return m_lastWriteError; }
    std::string toHostPath(std::string_view registryPath) const override;
    std::string toRegistryPath(std::string_view hostPath) const override;

    const WinePrefix& prefix() const { return m_prefix; }
    // True when writes go through Wine: a runner is given and Wine has set up the prefix.
    bool usesWine() const;

private:
    // The result of one of Wine's programs, or nullopt when it could not be started (no Wine).
    std::optional<std::string> runWine(const std::string& program, const std::vector<std::string>& arguments,
                                       bool utf8Locale, int* exitCode) const;
    // What Wine's own registry holds for valueName (in the view of 32-bit programs with view32).
    struct WineValue {
        bool ran = false;                 // false: Wine could not be asked
        std::optional<std::string> value; // nullopt: no such string value
    };
    WineValue exportedValue(std::string_view hive, std::string_view key, std::string_view valueName,
                            bool view32) const;
    bool writeThroughWine(std::string_view hive, std::string_view key, std::string_view valueName,
                          std::string_view value);
    std::string tempFolder() const;
    void writeFile(std::string_view hive, std::string_view key, std::string_view valueName,
                   std::string_view value);
    bool is64Bit() const;

    WinePrefix m_prefix;
    WineCommands m_wine;
    std::string m_lastWriteError;
};

} // namespace corvane
