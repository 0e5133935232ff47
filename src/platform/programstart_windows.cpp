#include "platform/programstart.h"
#include "platform/widetext.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace corvane {

void PrepareProcess() {
    // A program without a console has no valid descriptors to set.
    for (FILE* stream : {stdout, stderr}) {
        const int descriptor = ::_fileno(stream);
        if (descriptor >= 0) ::_setmode(descriptor, _O_BINARY);
    }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return argc < 1 ? std::vector<std::string>() : std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8OfWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

} // namespace corvane
