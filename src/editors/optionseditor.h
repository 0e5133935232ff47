#pragma once
// optionsFrm without its widgets: the simulator's main folder, typed or browsed for, accepted only
// when it holds fs2002.exe, the turnaround minimum of the traffic check, and the time a traffic tool
// may run. The program never runs on
// without a valid folder: closing the window while the program-wide folder is invalid asks whether to
// quit.

#include <string>

namespace corvane {

class Prompts;
class Registry;
class SettingsStore;
struct ProgramState;

class OptionsEditor {
public:
    OptionsEditor(ProgramState& state, Registry& registry, SettingsStore& settings, Prompts& prompts);

    // pathTxt: starts with FSFolder.
    const std::string& path() const { return m_path; }
    void editPath(const std::string& text) { m_path = text; }

    // Which traffic tools the program folder holds (stand-ins or not), shown beside the folder.
    std::string toolsDescription() const;

    // turnaroundTxt: starts with the stored minimum.
    const std::string& turnaround() const { return m_turnaround; }
    void editTurnaround(const std::string& text) { m_turnaround = text; }

    // toolTimeTxt: starts with the stored time limit of a traffic tool run, in minutes.
    const std::string& toolTimeLimit() const { return m_toolTimeLimit; }
    void editToolTimeLimit(const std::string& text) { m_toolTimeLimit = text; }

    // "...": a file dialog for fs2002.exe; the folder of the chosen file goes into the path.
    void browse();
    // "&OK": true when the turnaround minimum is a whole number of minutes from 0 to 1440, the tool time
    // limit one from 1 to 1440, and the path is a valid simulator folder (then all are saved) and the
    // window may close.
    bool ok();

    enum class Close { Allow, Refuse, Quit };
    // Any way of closing: allowed when FSFolder is valid; otherwise the user decides between quitting
    // the program and staying in the window.
    Close requestClose();

private:
    ProgramState& m_state;
    Registry& m_registry;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    std::string m_path;
    std::string m_turnaround;
    std::string m_toolTimeLimit;
};

} // namespace corvane
