#pragma once
// The strip under the legs list: the flight being edited on the clock of its repeat period, a bar per
// leg from departure to arrival (GMT), ground times shaded, short turnarounds and overlaps in red
// (FlightTimeline holds the rules). Clicking a bar hands legChosen the legs-list row that puts that
// leg on screen.

#include "checks/flighttimeline.h"

#include <QWidget>
#include <functional>

namespace corvane {
class FlightEditor;
}

namespace corvane::ui {

class TimelineWidget final : public QWidget {
    Q_OBJECT
public:
    explicit TimelineWidget(const FlightEditor& editor, QWidget* parent = nullptr);

    // Where the turnaround minimum comes from (the traffic check's setting); 10 minutes until set.
    void setTurnaround(std::function<int()> minutes) { m_turnaround = std::move(minutes); }
    // Rebuilds the timeline from the editor.
    void sync();
    const FlightTimeline& timeline() const { return m_timeline; }
    // The bar of a leg (an index into timeline().legs): one rectangle, or two when the leg runs past
    // the end of the period.
    std::vector<QRectF> barRects(int leg) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void legChosen(int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRectF lane(int lane) const;
    double xOf(long long seconds) const;
    // The leg whose bar is under a position, -1 when none.
    int legUnder(QPointF position) const;

    const FlightEditor& m_editor;
    std::function<int()> m_turnaround;
    FlightTimeline m_timeline;
    int m_shownLeg = -1; // the leg on screen in the legs editor
};

} // namespace corvane::ui
