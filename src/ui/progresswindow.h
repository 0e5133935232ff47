#pragma once
// waitFrm: the small modeless window that long operations show over the main window. It shows the
// operation's title and "N %", gives the event loop a turn so that the windows repaint (user input
// waits until the operation has ended), shows the busy pointer on itself and its owner, and refuses
// to close while an operation runs. Repaints are limited to a few per second so that the window
// never slows the work it reports.

#include "traffic/progress.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;

namespace corvane::ui {

class ProgressWindow final : public QDialog, public Progress {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* owner);

    void begin(std::string_view title) override;
    void setTitle(std::string_view title) override;
    void show(int percent) override;
    void end() override;

    bool isBusy() const { return m_depth > 0; }
    // The window appears only once an operation has run this long, so that quick ones (listing an
    // airport's flights while typing) do not flash it; the busy pointer shows at once.
    void setShowDelay(int milliseconds) { m_showDelayMs = milliseconds; }
    QString percentText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void repaintNow();

    QLabel* m_infoLbl;
    QElapsedTimer m_sinceRepaint;
    QElapsedTimer m_sinceBegin;
    int m_showDelayMs = 300;
    int m_depth = 0;
    int m_percent = 0;
};

} // namespace corvane::ui
