#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/context.h"
#include "projects/exportproject.h"
#include "traffic/text.h"

#include <optional>

namespace corvane::cli {

namespace {

PercentComparison ComparisonNamed(const std::string& word) {
    if (EqualsIgnoringCase(word, "less")) return PercentComparison::LessThan;
    if (EqualsIgnoringCase(word, "equal")) return PercentComparison::EqualTo;
    if (EqualsIgnoringCase(word, "more")) return PercentComparison::MoreThan;
    return PercentComparison::None; // refused by the checks like an empty comparison combo
}

// The criteria the options switch on, as the page would hold them; nullopt for a rules text that is
// neither IFR nor VFR (error set).
std::optional<ExportCriteria> CriteriaOf(const Arguments& arguments, std::string* error) {
    ExportCriteria c;
    if (arguments.has("--icao")) {
        CheckCriterion(c, Criterion::AirportPrefix, true);
        c.icaoPrefix = Upper(arguments.value("--icao"));
    }
    if (arguments.has("--percent")) {
        CheckCriterion(c, Criterion::Percent, true);
        c.comparison = ComparisonNamed(arguments.values("--percent").at(0));
        c.percent = arguments.values("--percent").at(1);
    }
    if (arguments.has("--aircraft")) {
        CheckCriterion(c, Criterion::Aircraft, true);
        c.aircraftTitle = arguments.value("--aircraft");
    }
    if (arguments.has("--rules")) {
        CheckCriterion(c, Criterion::Rules, true);
        const std::string rules = arguments.value("--rules");
        if (!EqualsIgnoringCase(rules, "IFR") && !EqualsIgnoringCase(rules, "VFR")) {
            *error = "--rules takes IFR or VFR";
            return std::nullopt;
        }
        c.ifr = EqualsIgnoringCase(rules, "IFR");
        c.vfr = !c.ifr;
    }
    if (arguments.has("--repeat")) {
        CheckCriterion(c, Criterion::Repeat, true);
        c.repeat = arguments.value("--repeat");
    }
    return c;
}

} // namespace

int RunExport(Context& context, const std::vector<std::string>& args) {
    std::string error;
    const auto arguments = Arguments::parse(
        args, {{"--icao", 1}, {"--percent", 2}, {"--aircraft", 1}, {"--rules", 1}, {"--repeat", 1}}, &error);
    if (!arguments) return UsageError(context, "export", error);
    if (arguments->positional().size() != 2) return UsageError(context, "export", "needs INPUT and OUTPUT");
    const auto criteria = CriteriaOf(*arguments, &error);
    if (!criteria) return UsageError(context, "export", error);
    const std::string& input = arguments->positional()[0];
    if (!LoadInput(context, input, "", "")) return kFileError;

    const ExportCheck check = ValidateExport(context.db, *criteria);
    if (check.result == ExportCheck::Result::NothingToDo) {
        context.err << "corvane-cli export: " << input << " holds no flights; nothing was exported\n";
        return kRefused;
    }
    if (check.result == ExportCheck::Result::Refused) {
        context.prompts.ask(check.refusal);
        return kRefused;
    }
    std::vector<std::string> selection = SelectExportFlights(context.db, *criteria, context.progress);
    const std::size_t count = selection.size();
    if (!WriteExportFile(arguments->positional()[1], std::move(selection), context.db, context.prompts,
                         context.progress))
        return kFileError;
    context.out << ExportDoneText(count) << '\n';
    return kSuccess;
}

} // namespace corvane::cli
