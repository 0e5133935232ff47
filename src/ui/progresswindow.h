#pragma once
// waitFrm: the small modeless window that long operations show over the main window. It shows the
// operation's title and "N %", gives the event loop a turn so that the windows repaint (user input
// waits until the operation has ended), shows the busy pointer on itself and its owner, and refuses
// to close while an operation runs. Repaints are limited to a few per second so that the window
// never slows the work it reports.
//
// A wait (a traffic tool at work, while the event loop runs freely) shows the seconds that have passed
// instead of a percentage, a note, and a Cancel button when the wait may be cancelled. Meanwhile the
// user's input reaches this window only: clicks and keys meant for any other window are dropped.

#include "platform/progress.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

namespace corvane::ui {

class ProgressWindow final : public QDialog, public Progress {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* owner);
    ~ProgressWindow() override;

    void begin(std::string_view title) override;
    void setTitle(std::string_view title) override;
    void show(int percent) override;
    void end() override;
    void beginWait(std::string_view title, std::string_view note, bool cancellable) override;
    void showElapsed(int seconds) override;
    bool cancelRequested() override { return m_cancelRequested; }

    bool isBusy() const { return m_depth > 0; }
    bool isWaiting() const { return m_waitDepth > 0; }
    // The window appears only once an operation has run this long, so that quick ones (listing an
    // airport's flights while typing) do not flash it; the busy pointer shows at once.
    void setShowDelay(int milliseconds) { m_showDelayMs = milliseconds; }
    QString percentText() const;

    // Escape during a wait that may be cancelled cancels it; while busy the window never goes.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void repaintNow();
    void requestCancel();
    void showIfDue();

    QLabel* m_waitLbl;
    QLabel* m_infoLbl;
    QLabel* m_elapsedLbl;
    QLabel* m_noteLbl;
    QPushButton* m_cancelCmd;
    QElapsedTimer m_sinceRepaint;
    QElapsedTimer m_sinceBegin;
    int m_showDelayMs = 300;
    int m_depth = 0;
    int m_percent = 0;
    int m_waitDepth = 0; // the depth of the running wait, 0 when none runs
    bool m_cancelRequested = false;
};

} // namespace corvane::ui
