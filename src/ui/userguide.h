#pragma once
// The user guide: the README's "User guide" section with its pictures, built into the program, shown
// in a window of its own (F1, and "User Guide" in the About box). No browser is needed.

#include <QWidget>

class QTextBrowser;

namespace corvane::ui {

class UserGuideWindow final : public QWidget {
public:
    explicit UserGuideWindow(QWidget* parent);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace corvane::ui
