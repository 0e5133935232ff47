#include "ui/progresswindow.h"

#include "ui/textcodec.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

constexpr qint64 kRepaintIntervalMs = 150;

// "12 s", "2 min 05 s".
QString ElapsedText(int seconds) {
    if (seconds < 60) return QString::number(seconds) + QStringLiteral(" s");
    return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool IsUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_waitLbl(new QLabel(QStringLiteral("Please wait..."), this))
    , m_infoLbl(new QLabel(QStringLiteral("0 %"), this))
    , m_elapsedLbl(new QLabel(this))
    , m_noteLbl(new QLabel(this))
    , m_cancelCmd(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("waitFrm"));
    setWindowTitle(QStringLiteral("Processing Corvane Data"));
    setModal(false);
    m_waitLbl->setObjectName(QStringLiteral("waitLbl"));
    m_infoLbl->setObjectName(QStringLiteral("infoLbl"));
    m_elapsedLbl->setObjectName(QStringLiteral("elapsedLbl"));
    m_noteLbl->setObjectName(QStringLiteral("noteLbl"));
    m_cancelCmd->setObjectName(QStringLiteral("cancelCmd"));
    auto* doneLbl = new QLabel(this);
    doneLbl->setObjectName(QStringLiteral("doneLbl"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_waitLbl);
    layout->addWidget(m_infoLbl);
    layout->addWidget(m_elapsedLbl);
    layout->addWidget(m_noteLbl);
    layout->addWidget(doneLbl);
    layout->addWidget(m_cancelCmd, 0, Qt::AlignRight);
    QFont big = m_infoLbl->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    for (QLabel* label : {m_infoLbl, m_elapsedLbl}) {
        label->setFont(big);
        label->setAlignment(Qt::AlignCenter);
    }
    m_noteLbl->setWordWrap(true);
    m_elapsedLbl->hide();
    m_noteLbl->hide();
    m_cancelCmd->hide();
    m_cancelCmd->setCursor(Qt::ArrowCursor);
    connect(m_cancelCmd, &QPushButton::clicked, this, &ProgressWindow::requestCancel);
    setMinimumWidth(320);
}

ProgressWindow::~ProgressWindow() {
    if (isWaiting()) qApp->removeEventFilter(this);
}

void ProgressWindow::begin(std::string_view title) {
    setWindowTitle(MessageToDisplay(title));
    if (m_depth++ > 0) {
        repaintNow();
        return;
    }
    m_percent = 0;
    m_infoLbl->setText(QStringLiteral("0 %"));
    if (QWidget* owner = parentWidget()) owner->setCursor(Qt::WaitCursor);
    setCursor(Qt::WaitCursor);
    m_sinceBegin.start();
    repaintNow();
}

void ProgressWindow::beginWait(std::string_view title, std::string_view note, bool cancellable) {
    begin(title);
    m_waitDepth = m_depth;
    m_cancelRequested = false;
    m_infoLbl->hide();
    m_elapsedLbl->setText(ElapsedText(0));
    m_elapsedLbl->show();
    m_noteLbl->setText(MessageToDisplay(note));
    m_noteLbl->setVisible(!note.empty());
    m_waitLbl->setText(QStringLiteral("Please wait..."));
    m_cancelCmd->setEnabled(true);
    m_cancelCmd->setVisible(cancellable);
    adjustSize();
    qApp->installEventFilter(this);
    // The event loop runs freely during a wait: the window appears once the delay has passed.
    QTimer::singleShot(m_showDelayMs, this, &ProgressWindow::showIfDue);
    showIfDue();
}

void ProgressWindow::showElapsed(int seconds) {
    m_elapsedLbl->setText(ElapsedText(seconds));
    showIfDue();
}

void ProgressWindow::setTitle(std::string_view title) {
    setWindowTitle(MessageToDisplay(title));
}

void ProgressWindow::show(int percent) {
    m_percent = percent;
    if (m_sinceRepaint.isValid() && m_sinceRepaint.elapsed() < kRepaintIntervalMs) return;
    repaintNow();
}

void ProgressWindow::end() {
    if (m_depth == 0) return;
    if (m_depth == m_waitDepth) {
        m_waitDepth = 0;
        qApp->removeEventFilter(this);
        m_elapsedLbl->hide();
        m_noteLbl->hide();
        m_cancelCmd->hide();
        m_infoLbl->show();
    }
    m_percent = 100;
    m_infoLbl->setText(percentText());
    if (--m_depth > 0) return;
    if (QWidget* owner = parentWidget()) owner->unsetCursor();
    unsetCursor();
    hide();
}

QString ProgressWindow::percentText() const {
    return QString::number(m_percent) + QStringLiteral(" %");
}

void ProgressWindow::showIfDue() {
    if (!isBusy() || isVisible() || m_sinceBegin.elapsed() < m_showDelayMs) return;
    QDialog::show();
    if (isWaiting()) {
        // The user's keys come here, where Escape or the Cancel button's key may cancel.
        raise();
        activateWindow();
        if (m_cancelCmd->isVisible()) m_cancelCmd->setFocus();
    }
}

void ProgressWindow::repaintNow() {
    m_infoLbl->setText(percentText());
    showIfDue();
    m_sinceRepaint.start();
    // Repaint, but keep the user's clicks and keys until the operation is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::requestCancel() {
    if (!isWaiting() || !m_cancelCmd->isVisible() || m_cancelRequested) return;
    m_cancelRequested = true;
    m_cancelCmd->setEnabled(false);
    m_waitLbl->setText(QStringLiteral("Cancelling..."));
}

void ProgressWindow::reject() {
    if (isBusy()) {
        requestCancel();
        return;
    }
    QDialog::reject();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (isBusy())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!isWaiting() || !IsUserInput(event)) return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget && (widget == this || isAncestorOf(widget))) return false;
    // Input for a window (before it reaches its widgets) is left to the widgets' own turn; the rest
    // (the pages, the menus, their shortcuts, other windows) is dropped.
    return widget || event->type() == QEvent::Shortcut;
}

} // namespace corvane::ui
