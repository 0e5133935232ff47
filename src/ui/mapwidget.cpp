#include "ui/mapwidget.h"

#include "editors/routemapeditor.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace corvane::ui {

namespace {

constexpr double kZoomStep = 1.5;
constexpr double kPanStep = 60;
constexpr double kPickPixels = 6;
constexpr int kSettleMilliseconds = 200;

} // namespace

MapWidget::MapWidget(const RouteMapEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_painter(editor) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        m_smooth = true;
        update();
    });
}

void MapWidget::setLand(LandOutlines land, bool loaded) {
    m_painter.setLand(std::move(land), loaded);
    update();
}

void MapWidget::viewChanged() {
    m_smooth = false;
    m_settle.start();
    update();
}

void MapWidget::zoomIn() {
    m_view.zoomBy(kZoomStep);
    viewChanged();
}

void MapWidget::zoomOut() {
    m_view.zoomBy(1 / kZoomStep);
    viewChanged();
}

void MapWidget::fitSelection() {
    m_view.fit(m_editor.selectionBounds(), 24);
    viewChanged();
}

void MapWidget::paintEvent(QPaintEvent*) {
    QElapsedTimer timer;
    timer.start();
    QPainter painter(this);
    // Smoothed routes would take several times as long as plain ones: only the picture has them.
    m_painter.paint(painter, m_view, devicePixelRatioF(), m_smooth, false);
    painter.end();
    m_lastPaintSeconds = timer.nsecsElapsed() / 1e9;
}

QImage MapWidget::picture() {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    m_painter.paint(painter, m_view, 1, true, true);
    // The caption: what the picture shows.
    const QString caption = ToDisplay(m_editor.summary());
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect box = painter.fontMetrics()
                          .boundingRect(caption)
                          .adjusted(-6, -4, 6, 4)
                          .translated(10 + 6, 10 + 4 + painter.fontMetrics().ascent());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 210));
    painter.drawRoundedRect(box, 4, 4);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, caption);
    return image;
}

int MapWidget::airportUnder(QPointF position) const {
    return m_editor.airportAt(m_view.toGeo({position.x(), position.y()}), kPickPixels / m_view.scale());
}

bool MapWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = airportUnder(help->pos());
        if (row >= 0)
            QToolTip::showText(help->globalPos(), ToDisplay(m_editor.airportTip(row)), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void MapWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_view.resize(width(), height());
    viewChanged();
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    m_pressed = true;
    m_dragging = false;
    m_pressPosition = m_lastPosition = event->position();
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed) return QWidget::mouseMoveEvent(event);
    const QPointF position = event->position();
    if (!m_dragging && (position - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!m_dragging) setCursor(Qt::ClosedHandCursor);
    m_dragging = true;
    m_view.panBy(position.x() - m_lastPosition.x(), position.y() - m_lastPosition.y());
    m_lastPosition = position;
    viewChanged();
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) return QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    if (m_dragging) {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    const int row = airportUnder(event->position());
    if (row >= 0) emit airportClicked(row);
}

void MapWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const QPointF at = event->position();
    m_view.zoomBy(std::pow(1.25, steps), {at.x(), at.y()});
    viewChanged();
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
        return;
    case Qt::Key_Left:
        m_view.panBy(kPanStep, 0);
        break;
    case Qt::Key_Right:
        m_view.panBy(-kPanStep, 0);
        break;
    case Qt::Key_Up:
        m_view.panBy(0, kPanStep);
        break;
    case Qt::Key_Down:
        m_view.panBy(0, -kPanStep);
        break;
    case Qt::Key_Home:
        fitSelection();
        return;
    default:
        return QWidget::keyPressEvent(event);
    }
    viewChanged();
}

} // namespace corvane::ui
