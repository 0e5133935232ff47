#include "editors/startup.h"

#include "platform/hostfs.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <cerrno>

namespace corvane {

namespace {

// Creates and removes a scratch folder in the program folder; the reason when that fails.
std::optional<std::string> WriteTestFails(const std::string& programFolder) {
    const std::string scratch =
        WithSeparator(programFolder) + "Tesselbrook-" + std::to_string(hostfs::ProcessId());
    int error = EEXIST;
    if (!hostfs::MakeFolder(scratch, &error)) return hostfs::ErrorText(error);
    hostfs::RemoveFolder(scratch);
    return std::nullopt;
}

Prompt Missing(const char* title, const char* text) {
    return {title, text, Icon::Exclamation, Buttons::Ok, Answer::Ok};
}

} // namespace

std::optional<Prompt> CheckProgramFolder(const std::string& programFolder) {
    if (const auto reason = WriteTestFails(programFolder))
        return Prompt{"Program folder not writable",
                      "Corvane must be able to write into its own folder ''" + programFolder +
                          "'':\r\nthe traffic tools and their scratch files live there.\r\n\r\n" + *reason +
                          "\r\n\r\nPlease install Corvane into a folder you own.",
                      Icon::Exclamation, Buttons::Ok, Answer::Ok};
    // The temporary files of compiles that were killed or crashed.
    RemoveLeftOverTempFiles(programFolder);
    if (!PathExists(programFolder + "tcompiler.exe", true))
        return Missing("Could not find TCompiler",
                       "Could not find the TrafficTool Compiler. Please make sure that\r\n"
                       "''TCompiler.exe'' is located in the same folder as this program!");
    if (!PathExists(programFolder + "tdecompiler.exe", true))
        return Missing("Could not find TDecompiler",
                       "Could not find the TrafficTool Decompiler. Please make sure that\r\n"
                       "''TDecompiler.exe'' is located in the same folder as this program!");
    if (!PathExists(programFolder + "apt.dat", true))
        return Missing("Could not find Airport Database",
                       "Could not find the Corvane Airport Database. Please make sure \r\n"
                       "that ''apt.dat'' is located in the same folder as this program!");
    return std::nullopt;
}

} // namespace corvane
