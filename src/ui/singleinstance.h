#pragma once
// Only one Corvane runs at a time: both would share the program folder's scratch files.

#include <QString>

class QLockFile;

namespace corvane {
class Prompts;
}

namespace corvane::ui {

// The lock file in the user's runtime folder.
QString SingleInstanceLockPath();

// Takes the lock; when another instance holds it, says so and returns false.
bool AcquireSingleInstance(QLockFile& lock, Prompts& prompts);

} // namespace corvane::ui
