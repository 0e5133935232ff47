#include "environment/toolregistration.h"

#include "environment/fsfolder.h"
#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/registry.h"

namespace corvane {

namespace {

// Two spellings of one folder (links, letter case, a drive's other name) are the same folder.
bool SameFolder(const std::string& a, const std::string& b) {
    if (WithSeparator(a) == WithSeparator(b)) return true;
    const hostfs::FileStamp first = hostfs::StampOf(a), second = hostfs::StampOf(b);
    return first.exists && second.exists && first.device == second.device && first.file == second.file;
}

bool HoldsSimulator(const std::string& folder) {
    return !folder.empty() && PathExists(WithSeparator(folder) + std::string(kSimulatorProgram), true);
}

std::string Reason(const Registry& registry) {
    const std::string why = registry.lastWriteError();
    return why.empty() ? "." : ":\r\n" + why;
}

} // namespace

ToolRegistration::ToolRegistration(Registry& registry, std::string fsFolder)
    : m_registry(registry)
    , m_fsFolder(std::move(fsFolder)) {
    m_userValue = GetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue);
    m_userFolder = m_userValue.empty() ? std::string() : registry.toHostPath(m_userValue);
    if (!m_userFolder.empty() && SameFolder(m_userFolder, m_fsFolder)) return;

    if (SetRegString(registry, kLocalMachine, kSimulatorKey, kExePathValue,
                     FSFolderValue(registry, m_fsFolder))) {
        // Another installation gets its value back; a value that named none stays repaired.
        m_putBack = HoldsSimulator(m_userFolder);
        return;
    }
    const std::string named = m_userValue.empty()
                                  ? "is not set"
                                  : "names ''" + (m_userFolder.empty() ? m_userValue : m_userFolder) + "''";
    m_refusal = "The traffic tools find FS2002 through its registry value ''EXE Path'', which " + named +
                ". It could not be set to ''" + m_fsFolder + "'', the folder Corvane works on" +
                Reason(registry);
    if (HoldsSimulator(m_userFolder))
        m_refusal += "\r\nTo work on ''" + m_userFolder + "'', choose that folder instead.";
}

ToolRegistration::~ToolRegistration() {
    restore();
}

std::string ToolRegistration::restore() {
    if (!m_putBack) return {};
    m_putBack = false;
    if (SetRegString(m_registry, kLocalMachine, kSimulatorKey, kExePathValue, m_userValue)) return {};
    return "The registry value ''EXE Path'' of FS2002 could not be set back to ''" + m_userFolder +
           "''; it names ''" + m_fsFolder + "'', the folder Corvane works on" + Reason(m_registry);
}

} // namespace corvane
