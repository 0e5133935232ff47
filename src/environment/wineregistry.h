#pragma once
// The registry of a Wine prefix, read from and written to its system.reg file. The local-machine hive
// is that file; the classes-root hive is its "Software\Classes" key. A missing prefix or file reads as
// empty values and takes no writes; the file is replaced atomically, so that a failed write leaves it
// as it was. Wine keeps the registry in memory while it runs and writes it back when it ends: a
// change made here while a Wine program runs may be lost.

#include "environment/registry.h"
#include "environment/wineprefix.h"

namespace corvane {

class WineRegistry final : public Registry {
public:
    explicit WineRegistry(WinePrefix prefix)
        : m_prefix(std::move(prefix)) {}

    std::string read(std::string_view hive, std::string_view key, std::string_view valueName) const override;
    void write(std::string_view hive, std::string_view key, std::string_view valueName,
               std::string_view value) override;
    std::string toHostPath(std::string_view registryPath) const override;
    std::string toRegistryPath(std::string_view hostPath) const override;

    const WinePrefix& prefix() const { return m_prefix; }

private:
    WinePrefix m_prefix;
};

} // namespace corvane
