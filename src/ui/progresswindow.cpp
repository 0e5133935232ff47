#include "ui/progresswindow.h"

#include "ui/textcodec.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {
constexpr qint64 kRepaintIntervalMs = 150;
}

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_infoLbl(new QLabel(QStringLiteral("0 %"), this)) {
    setObjectName(QStringLiteral("waitFrm"));
    setWindowTitle(QStringLiteral("Processing Corvane Data"));
    setModal(false);
    m_infoLbl->setObjectName(QStringLiteral("infoLbl"));
    auto* waitLbl = new QLabel(QStringLiteral("Please wait..."), this);
    waitLbl->setObjectName(QStringLiteral("waitLbl"));
    auto* doneLbl = new QLabel(this);
    doneLbl->setObjectName(QStringLiteral("doneLbl"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waitLbl);
    layout->addWidget(m_infoLbl);
    layout->addWidget(doneLbl);
    QFont big = m_infoLbl->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    m_infoLbl->setFont(big);
    m_infoLbl->setAlignment(Qt::AlignCenter);
    setMinimumWidth(320);
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

void ProgressWindow::repaintNow() {
    m_infoLbl->setText(percentText());
    if (!isVisible() && m_sinceBegin.elapsed() >= m_showDelayMs) QDialog::show();
    m_sinceRepaint.start();
    // Repaint, but keep the user's clicks and keys until the operation is over.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (isBusy())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace corvane::ui
