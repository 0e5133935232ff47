#include "ui/boardchartwidget.h"

#include "board/boardtext.h"
#include "ui/textcodec.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

namespace corvane::ui {

namespace {

constexpr int kMargin = 8;
constexpr int kTickLength = 4;

const QColor kBackground(255, 255, 255);
const QColor kArrivals(72, 118, 190);
const QColor kDepartures(240, 150, 60);
const QColor kOnGround(40, 40, 40);
const QColor kGrid(228, 228, 228);

// A step of the value axis that gives at most five lines up to top: 1, 2, 5, 10, 20, 50, ...
int AxisStep(int top) {
    for (int step = 1;; step *= 10)
        for (int factor : {1, 2, 5})
            if (top <= 5 * step * factor) return step * factor;
}

} // namespace

BoardChartWidget::BoardChartWidget(const AirportBoard& board, QWidget* parent)
    : QWidget(parent)
    , m_board(board) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

QSize BoardChartWidget::sizeHint() const {
    return {720, 240};
}

QSize BoardChartWidget::minimumSizeHint() const {
    return {320, 8 * fontMetrics().height()};
}

int BoardChartWidget::scaleTop() const {
    int top = 1;
    for (int h = 0; h < 24; ++h) {
        const HourFigures& figures = m_board.hour(h);
        top = std::max({top, figures.departures + figures.arrivals, figures.onGround});
    }
    const int step = AxisStep(top);
    return (top + step - 1) / step * step;
}

QRectF BoardChartWidget::plotArea(QSize size) const {
    const QFontMetrics metrics = fontMetrics();
    const double left = kMargin + metrics.horizontalAdvance(QString::number(scaleTop())) + kTickLength + 2;
    const double top = kMargin + 2 * metrics.height() + 4; // the title, then the legend
    const double bottom = size.height() - kMargin - metrics.height() - kTickLength;
    return {left, top, std::max(size.width() - kMargin - left, 24.0), std::max(bottom - top, 10.0)};
}

QRectF BoardChartWidget::barRect(int hour) const {
    if (hour < 0 || hour > 23) return {};
    const HourFigures& figures = m_board.hour(hour);
    const int movements = figures.departures + figures.arrivals;
    if (movements == 0) return {};
    const QRectF plot = plotArea(size());
    const double column = plot.width() / 24, gap = std::min(column * 0.15, 3.0);
    const double height = plot.height() * movements / scaleTop();
    return {plot.left() + hour * column + gap, plot.bottom() - height, column - 2 * gap, height};
}

int BoardChartWidget::hourAt(QPointF position) const {
    const QRectF plot = plotArea(size());
    if (!plot.contains(position)) return -1;
    return std::clamp(static_cast<int>((position.x() - plot.left()) / (plot.width() / 24)), 0, 23);
}

void BoardChartWidget::paint(QPainter& painter, QSize size) const {
    painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRectF plot = plotArea(size);
    const int top = scaleTop();
    const double column = plot.width() / 24;
    const auto y = [&](double value) { return plot.bottom() - plot.height() * value / top; };

    // The title, then the legend.
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(kMargin, kMargin + metrics.ascent()),
                     ToDisplay(m_board.code + ": " + ChartTitle(m_board)));
    painter.setFont(font());
    double x = kMargin;
    const double legendY = kMargin + metrics.height() + 2;
    for (const auto& [color, text] :
         {std::pair{kArrivals, QStringLiteral("Arrivals")},
          std::pair{kDepartures, QStringLiteral("Departures")},
          std::pair{kOnGround, QStringLiteral("Aircraft on the ground (most at once)")}}) {
        if (color == kOnGround)
            painter.fillRect(QRectF(x, legendY + metrics.height() / 2.0 - 1, 12, 2.5), color);
        else
            painter.fillRect(QRectF(x, legendY + 2, 12, metrics.height() - 4), color);
        painter.drawText(QPointF(x + 16, legendY + metrics.ascent()), text);
        x += 16 + metrics.horizontalAdvance(text) + 14;
    }

    // The value axis with its grid lines.
    const int step = AxisStep(top);
    for (int value = 0; value <= top; value += step) {
        painter.setPen(value == 0 ? palette().color(QPalette::Mid) : kGrid);
        painter.drawLine(QPointF(plot.left(), y(value)), QPointF(plot.right(), y(value)));
        painter.setPen(Qt::black);
        const QString label = QString::number(value);
        painter.drawText(QPointF(plot.left() - kTickLength - 2 - metrics.horizontalAdvance(label),
                                 y(value) + metrics.ascent() / 2.0 - 1),
                         label);
    }

    // The bars: arrivals below, departures on them.
    for (int h = 0; h < 24; ++h) {
        const HourFigures& figures = m_board.hour(h);
        const QRectF bar = barRect(h);
        if (bar.isEmpty()) continue;
        const double arrivals = plot.height() * figures.arrivals / top;
        painter.fillRect(QRectF(bar.left(), bar.bottom() - arrivals, bar.width(), arrivals), kArrivals);
        painter.fillRect(QRectF(bar.left(), bar.top(), bar.width(), bar.height() - arrivals), kDepartures);
    }

    // The hour axis: a tick each hour, labels as often as they fit.
    const int every = metrics.horizontalAdvance(QStringLiteral("00")) + 6 <= column       ? 1
                      : metrics.horizontalAdvance(QStringLiteral("00")) + 6 <= 2 * column ? 2
                                                                                          : 3;
    painter.setPen(Qt::black);
    for (int h = 0; h <= 24; ++h) {
        const double at = plot.left() + h * column;
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + kTickLength));
        if (h < 24 && h % every == 0) {
            const QString label = QString::number(h);
            painter.drawText(QPointF(at + (column - metrics.horizontalAdvance(label)) / 2,
                                     plot.bottom() + kTickLength + metrics.ascent()),
                             label);
        }
    }

    // The aircraft on the ground: a step line, each hour at its most.
    QPainterPath line;
    for (int h = 0; h < 24; ++h) {
        const QPointF from(plot.left() + h * column, y(m_board.hour(h).onGround));
        if (h == 0)
            line.moveTo(from);
        else
            line.lineTo(from);
        line.lineTo(from.x() + column, from.y());
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kOnGround, 2));
    painter.drawPath(line);
}

void BoardChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, size());
}

QImage BoardChartWidget::picture() const {
    const QString counts = MessageToDisplay(CountsText(m_board));
    const QFontMetrics metrics = fontMetrics();
    const QRect textBox =
        metrics.boundingRect(QRect(0, 0, width() - 2 * kMargin, 1000), Qt::TextWordWrap, counts);
    QImage image(QSize(width(), height() + textBox.height() + kMargin), QImage::Format_ARGB32_Premultiplied);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setFont(font());
    paint(painter, size());
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, height(), width() - 2 * kMargin, textBox.height()), Qt::TextWordWrap,
                     counts);
    return image;
}

bool BoardChartWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int hour = hourAt(help->pos());
        if (hour >= 0)
            QToolTip::showText(help->globalPos(), MessageToDisplay(HourTip(m_board, hour)), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace corvane::ui
