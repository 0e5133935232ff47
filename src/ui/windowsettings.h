#pragma once
// What the window remembers between runs, in the per-user settings (group "Window"): its geometry and
// the state of its docks, the widths of the columns of every list, and the page last shown. A size
// remembered on a larger screen is cut to the screen the window is on now.

class QMainWindow;
class QString;
class QTabBar;

namespace corvane::ui {

void SaveWindowSettings(const QMainWindow& window, const QTabBar& pages);
// Restores what SaveWindowSettings saved; the page is chosen through the tab bar (as a click would).
void RestoreWindowSettings(QMainWindow& window, QTabBar& pages);
// Keeps the window within the available area of its screen, at any scale factor.
void FitToScreen(QMainWindow& window);

// Each file dialog (known by its title) starts in the folder last chosen in it (group "Dialogs"). A
// name with a folder of its own is kept; a bare name is put in the remembered folder.
QString DialogStartPath(const QString& title, const QString& initialName);
void RememberDialogFolder(const QString& title, const QString& chosenPath);

} // namespace corvane::ui
