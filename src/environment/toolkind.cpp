#include "environment/toolkind.h"

#include "platform/paths.h"
#include "platform/textfile.h"

#include <algorithm>
#include <functional>

namespace corvane {

namespace {

// The banner every stand-in tool carries, kept reversed here so that no other program holds it.
std::string StandInBanner() {
    const std::string reversed =
        ".setirw ti selif ciffart eht daer tonnac rotalumis eht tub ,eno laer eht fo "
        "selif dna senil dnammoc eht sruonoh ti :loot ciffart ni-dnats enavroC";
    return std::string(reversed.rbegin(), reversed.rend());
}

} // namespace

bool IsStandInTool(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return false;
    const std::string banner = StandInBanner();
    return std::search(bytes->begin(), bytes->end(),
                       std::boyer_moore_horspool_searcher(banner.begin(), banner.end())) != bytes->end();
}

std::string TrafficToolsDescription(const std::string& programFolder) {
    const std::string folder = WithSeparator(programFolder);
    const auto compiler = FindPath(folder + "TCompiler.exe");
    const auto decompiler = FindPath(folder + "TDecompiler.exe");
    if (!compiler || !decompiler) return "Traffic tools: missing in ''" + folder + "''";
    const bool standInCompiler = IsStandInTool(*compiler);
    const bool standInDecompiler = IsStandInTool(*decompiler);
    if (standInCompiler && standInDecompiler)
        return "Traffic tools: stand-in (the simulator cannot read what they compile)";
    if (!standInCompiler && !standInDecompiler)
        return "Traffic tools: TCompiler.exe and TDecompiler.exe, not stand-in";
    return standInCompiler ? "Traffic tools: TCompiler.exe is a stand-in, TDecompiler.exe is not"
                           : "Traffic tools: TDecompiler.exe is a stand-in, TCompiler.exe is not";
}

} // namespace corvane
