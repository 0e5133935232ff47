#include "editors/imageexport.h"

#include "platform/paths.h"
#include "platform/textfile.h"
#include "traffic/fields.h"
#include "traffic/prompts.h"
#include "traffic/reader.h"

namespace corvane {

std::optional<std::string> ExportImage(Prompts& prompts, const ImageExport& image,
                                       const std::function<std::optional<std::string>()>& encode) {
    auto chosen = prompts.file({FileRequest::Mode::Save, image.title, kPngFilter, image.fileName});
    if (!chosen || chosen->empty()) return std::nullopt;
    if (LastField(*chosen, kSeparator).find('.') == std::string::npos) *chosen += ".png";
    if (PathExists(*chosen, true) &&
        !prompts.question("Overwrite existing file",
                          *chosen + " does already exist.\r\nDo you want to replace this file?",
                          Icon::Exclamation, Answer::No))
        return std::nullopt;
    const auto bytes = encode();
    if (!bytes) {
        prompts.message(image.title, image.failure, Icon::Exclamation);
        return std::nullopt;
    }
    std::string error;
    if (!SaveFileAtomically(*chosen, *bytes, &error)) {
        ReportWriteError(prompts, error);
        return std::nullopt;
    }
    return chosen;
}

} // namespace corvane
