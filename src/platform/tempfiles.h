#pragma once
// Corvane's temporary files. Whatever it writes goes first to a temporary file in the target's folder
// and is renamed over the target once complete. The name tells which run of which process writes the
// file, so that what a killed or crashed run left behind can be told from what a running one is still
// writing:
//
//   .cvtmp-p4711.5216734-Ab12cd    made on a POSIX system ('w': Windows) by process 4711, which started
//                                  at 5216734 as the system counts, and six letters of its own

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kTempFilePrefix = ".cvtmp-";

// The pattern for hostfs::NewFile::create of a temporary file of this process in folder.
std::string TempFilePattern(const std::string& folder);

// True for a name of this form, made on any system.
bool IsTempFileName(std::string_view name);

// True for a name of this form made on this system by a run that has ended: nobody writes the file any
// more. (It may still be the rest of a set that waits to be put in place.)
bool IsLeftOverTempFile(std::string_view name);

} // namespace corvane
