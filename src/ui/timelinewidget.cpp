#include "ui/timelinewidget.h"

#include "checks/trafficcheck.h"
#include "editors/flighteditor.h"
#include "ui/textcodec.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace corvane::ui {

namespace {

constexpr int kLaneHeight = 20;
constexpr int kScaleHeight = 16;
constexpr int kMargin = 6;
constexpr double kPickPixels = 3;

const QColor kBackground(250, 250, 250);
const QColor kBar(72, 118, 190);
const QColor kShownBar(31, 78, 156);
const QColor kGround(214, 214, 214);
const QColor kProblem(211, 47, 47);
const QColor kShortGround(244, 170, 170);

} // namespace

TimelineWidget::TimelineWidget(const FlightEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_turnaround([] { return kDefaultTurnaroundMinutes; }) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

QSize TimelineWidget::sizeHint() const {
    return {400, minimumSizeHint().height()};
}

QSize TimelineWidget::minimumSizeHint() const {
    const int lanes = std::min(m_timeline.lanes, 4);
    return {120, 2 * kMargin + lanes * kLaneHeight + kScaleHeight + fontMetrics().height()};
}

void TimelineWidget::sync() {
    const LegsEditor& legs = m_editor.legs();
    const int lanes = m_timeline.lanes;
    m_timeline = BuildFlightTimeline(legs.rows(), m_editor.header().repeat, m_turnaround());
    m_shownLeg = -1;
    for (std::size_t i = 0; i < m_timeline.legs.size(); ++i)
        if (m_timeline.legs[i].row == legs.nextRow()) m_shownLeg = static_cast<int>(i);
    if (lanes != m_timeline.lanes) updateGeometry();
    update();
}

QRectF TimelineWidget::lane(int lane) const {
    const int lanes = std::max(m_timeline.lanes, 1);
    const double height = std::min<double>(
        kLaneHeight, (this->height() - 2 * kMargin - kScaleHeight - fontMetrics().height()) / double(lanes));
    return {double(kMargin), kMargin + lane * height, double(width() - 2 * kMargin), height};
}

double TimelineWidget::xOf(long long seconds) const {
    const double w = width() - 2 * kMargin;
    return kMargin + (m_timeline.period > 0 ? w * double(seconds) / double(m_timeline.period) : 0);
}

std::vector<QRectF> TimelineWidget::barRects(int leg) const {
    if (leg < 0 || leg >= static_cast<int>(m_timeline.legs.size())) return {};
    const TimelineLeg& l = m_timeline.legs[static_cast<std::size_t>(leg)];
    const QRectF row = lane(l.lane);
    std::vector<QRectF> rects;
    for (const ClockSpan& piece : ClockPieces(l.flight, m_timeline.period)) {
        const double left = xOf(piece.start);
        // A leg of no time still shows.
        rects.emplace_back(left, row.top() + 2, std::max(xOf(piece.start + piece.length) - left, 2.0),
                           row.height() - 4);
    }
    return rects;
}

void TimelineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QString note = ToDisplay(TimelineNote(m_timeline));
    const QFontMetrics metrics = fontMetrics();
    const double scaleTop = lane(std::max(m_timeline.lanes, 1) - 1).bottom() + 2;
    if (m_timeline.state != TimelineState::Shown) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, note);
        return;
    }
    const long long period = m_timeline.period;

    // Ground times behind the bars, in the lane of the leg they come before.
    for (const TimelineLeg& leg : m_timeline.legs) {
        const QRectF row = lane(leg.lane);
        const QColor color = leg.groundOverlaps ? kProblem : leg.shortTurnaround ? kShortGround : kGround;
        for (const ClockSpan& piece : ClockPieces(leg.ground, period))
            painter.fillRect(
                QRectF(xOf(piece.start), row.top() + row.height() * 0.35,
                       xOf(piece.start + piece.length) - xOf(piece.start), row.height() * 0.3),
                leg.groundOverlaps ? QColor(kProblem.red(), kProblem.green(), kProblem.blue(), 90) : color);
        if (leg.shortTurnaround) {
            // A short turnaround may last no time at all: a red tick marks the spot.
            const double x = xOf((leg.ground.start + leg.ground.length) % period);
            painter.fillRect(QRectF(x - 1.5, row.top(), 3, row.height()), kProblem);
        }
    }

    // The bars, with the destination inside when it fits.
    for (std::size_t i = 0; i < m_timeline.legs.size(); ++i) {
        const TimelineLeg& leg = m_timeline.legs[i];
        const bool shown = static_cast<int>(i) == m_shownLeg;
        const QColor fill = leg.flightOverlaps ? kProblem : shown ? kShownBar : kBar;
        for (const QRectF& bar : barRects(static_cast<int>(i))) {
            painter.fillRect(bar, fill);
            if (shown) {
                painter.setPen(QPen(Qt::black, 2));
                painter.drawRect(bar.adjusted(1, 1, -1, -1));
            }
            const QString label = ToDisplay(leg.to);
            if (metrics.horizontalAdvance(label) + 4 < bar.width()) {
                painter.setPen(Qt::white);
                painter.drawText(bar, Qt::AlignCenter, label);
            }
        }
    }

    // The scale.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(QPointF(kMargin, scaleTop), QPointF(width() - kMargin, scaleTop));
    painter.setPen(palette().color(QPalette::WindowText));
    for (const TimelineTick& tick : TimelineTicks(period, m_timeline.weekly)) {
        const double x = xOf(tick.at);
        painter.drawLine(QPointF(x, scaleTop), QPointF(x, scaleTop + (tick.major ? 6 : 3)));
        if (tick.major)
            painter.drawText(QPointF(x + 2, scaleTop + 6 + metrics.ascent()), ToDisplay(tick.label));
    }
    if (!note.isEmpty()) {
        painter.setPen(kProblem);
        painter.drawText(rect().adjusted(kMargin, 0, -kMargin, -2), Qt::AlignRight | Qt::AlignBottom, note);
    }
}

int TimelineWidget::legUnder(QPointF position) const {
    if (m_timeline.state != TimelineState::Shown) return -1;
    for (int leg = 0; leg < static_cast<int>(m_timeline.legs.size()); ++leg)
        for (const QRectF& bar : barRects(leg))
            if (bar.adjusted(-kPickPixels, 0, kPickPixels, 0).contains(position)) return leg;
    return -1;
}

void TimelineWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const int leg = legUnder(event->position());
    if (leg < 0) return;
    const int row = RowShowingLeg(m_timeline.legs[static_cast<std::size_t>(leg)].row,
                                  static_cast<int>(m_timeline.legs.size()));
    emit legChosen(row);
}

bool TimelineWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int leg = legUnder(help->pos());
        if (leg >= 0)
            QToolTip::showText(
                help->globalPos(),
                MessageToDisplay(TimelineLegTip(m_timeline, m_timeline.legs[static_cast<std::size_t>(leg)])),
                this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace corvane::ui
