#pragma once
// What the desktop does by itself, which the window leaves to it.

namespace corvane {

// True where F10 is the desktop's key of the menu bar (Windows): the window gives it no command there.
bool MenuBarTakesF10();

// True where file names are matched without regard to letter case by the system itself, as Windows's
// file dialogs match their filters; elsewhere a filter must spell out both cases.
bool FileNamesIgnoreCase();

} // namespace corvane
