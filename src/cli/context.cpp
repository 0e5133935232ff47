#include "cli/context.h"

#include "cli/commands.h"
#include "traffic/reader.h"
#include "traffic/text.h"
#include "traffic/writer.h"

#include <filesystem>
#include <system_error>

namespace corvane::cli {

namespace fs = std::filesystem;

bool LoadInput(Context& context, const std::string& input, const std::string& aptPath,
               const std::string& fsFolder) {
    if (!fsFolder.empty() && !ScanInstalledAircraft(context, fsFolder)) return false;
    return ReadInput(context, input, ReadOptions{fsFolder.empty(), true, aptPath});
}

bool ReadInput(Context& context, const std::string& input, const ReadOptions& options) {
    std::error_code error;
    if (fs::is_directory(input, error))
        return ReadTrafficData(context.db, input, options, context.prompts, context.progress);
    return ReadProjectFile(context.db, input, options, context.prompts, context.progress);
}

bool WriteOutput(Context& context, const std::string& output) {
    const bool project =
        output.size() >= 4 && EqualsIgnoringCase(std::string_view(output).substr(output.size() - 4), ".cvp");
    if (project) return WriteProjectFile(context.db, output, context.prompts, context.progress);
    std::error_code error;
    fs::create_directories(output, error);
    if (error && !fs::is_directory(output)) {
        ReportWriteError(context.prompts,
                         "Could not create the folder ''" + output + "''\r\n" + error.message());
        return false;
    }
    return WriteTrafficFiles(context.db, output, context.prompts, context.progress);
}

int UsageError(Context& context, const std::string& command, const std::string& problem) {
    context.err << "corvane-cli " << command << ": " << problem << '\n'
                << "usage: corvane-cli " << Usage(command) << '\n';
    return kRefused;
}

} // namespace corvane::cli
