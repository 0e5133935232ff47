#pragma once
// Keys of the main window that the shortcuts of its actions cannot place, watched for every widget of
// the window:
// - Ctrl+Tab and Ctrl+Shift+Tab turn the pages. Platforms report Ctrl+Shift+Tab as Tab or as Backtab,
//   with or without Shift, and some offer Ctrl+Tab beside it as a candidate shortcut; the direction is
//   taken from the key event itself instead.
// - Undo and Redo in a text field that has nothing of its own to undo or redo reach the Edit menu's.

#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace corvane::ui {

class WindowKeys final : public QObject {
public:
    // turnPage(step): one page on (1) or back (-1). undo, redo: the Edit menu's actions.
    WindowKeys(QWidget* window, std::function<void(int step)> turnPage, QAction* undo, QAction* redo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::function<void(int)> m_turnPage;
    QAction* m_undo;
    QAction* m_redo;
};

} // namespace corvane::ui
