#include "realwine.h"

#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace corvane::test {

namespace {

RealWine* g_wine = nullptr;

void CopyFile(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

class RealWineEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        g_wine = new RealWine;
        RealWine& wine = *g_wine;
        wine.prefix = wine.dir.file("prefix/");
        ::setenv("WINEPREFIX", wine.prefix.c_str(), 1);
        ::setenv("WINEDEBUG", "-all", 1);
        const ToolResult boot = wine.run("wineboot", {"-i"}, wine.dir.path());
        ASSERT_TRUE(boot.succeeded()) << "wineboot failed: " << boot.error << boot.output;
        wine.waitForServer();
        ASSERT_TRUE(fs::exists(wine.prefix + "system.reg")) << "Wine set up no prefix in " << wine.prefix;
        wine.driveC = wine.prefix + "drive_c/";

        // The simulator: the demo installation's aircraft, registered as C:\Flight Simulator 2002.
        wine.fsFolder = wine.driveC + "Flight Simulator 2002/";
        fs::copy(CORVANE_DEMO_DATA "/FS2002", wine.fsFolder, fs::copy_options::recursive);
        wine.regAdd(std::string(kSimulatorKey), std::string(kExePathValue), "C:\\Flight Simulator 2002");

        // The program folder: the Windows tools and the airport list.
        wine.program = wine.dir.mkdir("Corvane");
        for (const char* tool : {"TCompiler.exe", "TDecompiler.exe"})
            CopyFile(std::string(CORVANE_WINDOWS_TOOLS) + tool, wine.program + tool);
        CopyFile(CORVANE_APT_DAT, wine.program + "apt.dat");

        // traffic.bgl compiled from the demo traffic by the Windows compiler, as Corvane runs it.
        const std::string compile = wine.dir.mkdir("compile");
        for (const auto& [from, to] :
             {std::pair{"aircraft.txt", "Aircraft.txt"}, std::pair{"airports.txt", "Airports.txt"},
              std::pair{"flightplans.txt", "FlightPlans.txt"}})
            CopyFile(std::string(CORVANE_DEMO_DATA) + "/traffic/" + from, compile + to);
        const ToolResult compiled = wine.run(wine.program + "TCompiler.exe", {"/ep", "/np"}, compile);
        ASSERT_TRUE(compiled.succeeded()) << compiled.error << compiled.output;
        wine.trafficBgl = wine.fsFolder + "SCENEDB/ATC/Scenery/traffic.bgl";
        wine.original = wine.dir.read(wine.trafficBgl.substr(wine.dir.path().size()));
        fs::remove_all(compile);
        wine.waitForServer();
    }
    void TearDown() override {
        if (g_wine) g_wine->run("wineserver", {"-k"});
        delete g_wine;
        g_wine = nullptr;
        ::unsetenv("WINEPREFIX");
        ::unsetenv("WINEDEBUG");
    }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new RealWineEnvironment);

} // namespace

RealWine& RealWine::get() {
    return *g_wine;
}

ToolResult RealWine::run(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder) {
    ToolRunOptions options;
    // Without the .NET and HTML engines, which a fresh prefix would otherwise try to install.
    options.environment = {
        {"WINEPREFIX", prefix}, {"WINEDEBUG", "-all"}, {"WINEDLLOVERRIDES", "mscoree,mshtml="}};
    options.timeLimit = std::chrono::minutes(3);
    const ToolResult result = runner.run(program, arguments, folder.empty() ? dir.path() : folder, options);
    EXPECT_TRUE(result.started) << program << ": " << result.error;
    return result;
}

void RealWine::regAdd(const std::string& key, const std::string& name, const std::string& value) {
    const ToolResult added =
        run("wine", {"reg", "add", "HKLM\\" + key, "/v", name, "/t", "REG_SZ", "/d", value, "/f", "/reg:32"});
    EXPECT_TRUE(added.succeeded()) << added.error << added.output;
}

void RealWine::waitForServer() {
    run("wineserver", {"-w"});
}

} // namespace corvane::test
