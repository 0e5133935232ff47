#include "editors/optionseditor.h"

#include "checks/turnaround.h"
#include "environment/fsfolder.h"
#include "environment/programstate.h"
#include "environment/toolkind.h"
#include "environment/tooltimelimit.h"
#include "platform/paths.h"
#include "traffic/fields.h"
#include "traffic/prompts.h"

namespace corvane {

OptionsEditor::OptionsEditor(ProgramState& state, Registry& registry, SettingsStore& settings,
                             Prompts& prompts)
    : m_state(state)
    , m_registry(registry)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_path(state.fsFolder)
    , m_turnaround(std::to_string(kTurnaroundMinutes.read(settings)))
    , m_toolTimeLimit(std::to_string(kToolTimeLimitMinutes.read(settings))) {}

std::string OptionsEditor::toolsDescription() const {
    return TrafficToolsDescription(m_state.programFolder);
}

void OptionsEditor::browse() {
    const auto chosen = m_prompts.file({FileRequest::Mode::Open, "Find FS2002 main folder",
                                        "Flight Simulator 2002 (fs2002.exe) | fs2002.exe", ""});
    if (!chosen || chosen->empty()) return;
    m_path = TrimBackTo(*chosen, kSeparator);
}

bool OptionsEditor::ok() {
    const auto minutes = kTurnaroundMinutes.parse(m_turnaround);
    if (!minutes) {
        m_prompts.message("Turnaround minimum",
                          "The turnaround minimum must be " + kTurnaroundMinutes.rangeText() + ".",
                          Icon::Exclamation);
        return false;
    }
    const auto toolMinutes = kToolTimeLimitMinutes.parse(m_toolTimeLimit);
    if (!toolMinutes) {
        m_prompts.message("Tool time limit",
                          "The time limit of a traffic tool must be " + kToolTimeLimitMinutes.rangeText() +
                              ".",
                          Icon::Exclamation);
        return false;
    }
    std::string candidate = m_path;
    if (CheckFSPath(candidate, m_registry, m_settings, m_state)) {
        kTurnaroundMinutes.write(m_settings, *minutes);
        kToolTimeLimitMinutes.write(m_settings, *toolMinutes);
        return true;
    }
    m_prompts.message("Error finding FS2002", "Please enter the correct Flight Simulator 2002 path!",
                      Icon::Exclamation);
    return false;
}

OptionsEditor::Close OptionsEditor::requestClose() {
    std::string current = m_state.fsFolder;
    if (CheckFSPath(current, m_registry, m_settings, m_state)) return Close::Allow;
    const bool quit = m_prompts.question(
        "FS2002 path needed",
        "The FS2002 main folder path is required by Corvane.\r\n\r\nDo you want to quit anyway?",
        Icon::Exclamation, Answer::No);
    return quit ? Close::Quit : Close::Refuse;
}

} // namespace corvane
