#pragma once
// A project session whose traffic tools are scripted: a decompiler that leaves a small installed
// traffic, and a compiler that builds traffic.bgl from the text files it is given.

#include "environment/scratch.h"
#include "faketoolrunner.h"
#include "memoryregistry.h"
#include "platform/paths.h"
#include "projectfixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace corvane::test {

struct RoundTrip : ProjectFixture {
    FakeToolRunner tools;
    MemoryRegistry registry;
    RoundTrip() {
        session.tools = &tools;
        session.registry = &registry;
    }

    // A decompiler that leaves the three text databases (all but one named file, when given): an
    // installed aircraft AC#1 that one flight uses, and an aircraft AC#2 that is not installed.
    FakeToolRunner::Action decompiles(const std::string& leaveOut = "") {
        return [leaveOut](const FakeToolRunner::Call& call) {
            const std::pair<const char*, const char*> files[] = {
                {"aircraft.txt", "AC#1,430,\"Boeing 737-400\"\r\nAC#2,300,\"Not Installed\"\r\n"},
                {"airports.txt",
                 "KSEA,N47* 26.94',W122* 18.55',433,-,-\r\nKBFI,N47* 31.6',W122* 18.0',21,BFI,US\r\n"},
                {"flightplans.txt",
                 "AC#1,N1,100%,24Hr,IFR,08:00:00,08:20:00,100,F,1,KBFI,09:00:00,09:20:00,100,F,2,KSEA,\r\n"}};
            for (const auto& [name, bytes] : files)
                if (name != leaveOut) TempDir::writeFile(call.workingFolder + "/" + name, bytes);
        };
    }
    // A compiler that builds traffic.bgl in the simulator folder from the text files it finds.
    FakeToolRunner::Action compiles() {
        return [this](const FakeToolRunner::Call& call) {
            std::string content;
            for (const char* name : {"Aircraft.txt", "Airports.txt", "FlightPlans.txt"})
                content += dir.read("program/" + std::string(name));
            EXPECT_EQ(WithSeparator(call.workingFolder), session.state.programFolder);
            TempDir::writeFile(session.state.fsFolder + "SCENEDB/ATC/Scenery/traffic.bgl", content);
        };
    }
    // The installed traffic open with one flight, over an old traffic.bgl (none when oldTraffic is null).
    void readyToCompile(const char* oldTraffic = "the old traffic") {
        addFlight();
        session.state.projectTag = "fs";
        if (oldTraffic) dir.write("FS2002/SCENEDB/ATC/Scenery/traffic.bgl", oldTraffic);
    }
    int backups() {
        const std::string folder = BackupFolderPath(session.state.fsFolder);
        return std::filesystem::exists(folder) ? static_cast<int>(NamesIn(folder).size()) : 0;
    }
};

} // namespace corvane::test
