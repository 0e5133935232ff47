#pragma once
// The traffic tools find the simulator only through its registry value "EXE Path", while Corvane works
// on the folder of its own setting (Options, --fs), which may be another installation. So that the
// tools compile into and decompile from the folder Corvane backs up and reads, the value names that
// folder while a tool runs, and the user's value is put back afterwards. A value that named no
// installation is left naming Corvane's folder, as CheckFSPath repairs it.

#include <string>

namespace corvane {

class Registry;

class ToolRegistration {
public:
    // Points the value at fsFolder (a host folder ending in the separator) unless it names that folder
    // already. When it cannot be set, ready() is false: no tool may run.
    ToolRegistration(Registry& registry, std::string fsFolder);
    // Puts the user's value back (restore()) when that has not been done.
    ~ToolRegistration();
    ToolRegistration(const ToolRegistration&) = delete;
    ToolRegistration& operator=(const ToolRegistration&) = delete;

    bool ready() const { return m_refusal.empty(); }
    // Why no tool may run, naming both folders; "" when ready.
    const std::string& refusal() const { return m_refusal; }

    // Puts the user's value back; the message when it could not be ("" when it was, or when there was
    // nothing to put back).
    std::string restore();

private:
    Registry& m_registry;
    std::string m_fsFolder;
    std::string m_userValue;  // the value as the registry held it
    std::string m_userFolder; // the same as a host folder ("" when it names none)
    bool m_putBack = false;   // the user's value is to be restored
    std::string m_refusal;
};

} // namespace corvane
