#pragma once
// The chart under the airport board's tables: the movements of each hour of one day as a bar,
// arrivals below and departures stacked on them, the hour axis labelled, and over the bars a line of
// the most aircraft on the ground in each hour. The AirportBoard holds every figure; hovering a bar
// shows its hour's figures.

#include <QImage>
#include <QWidget>

namespace corvane {
struct AirportBoard;
}

namespace corvane::ui {

class BoardChartWidget final : public QWidget {
    Q_OBJECT
public:
    // board must outlive the widget; it may change (call update()).
    explicit BoardChartWidget(const AirportBoard& board, QWidget* parent = nullptr);

    // The bar of an hour 0..23 (both kinds of movement), in widget coordinates; empty for no movement.
    QRectF barRect(int hour) const;
    // The hour whose column holds a position, -1 when none does.
    int hourAt(QPointF position) const;
    // A picture of the chart as shown, with the counts of the day under it (for File > Export).
    QImage picture() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the bars stand, for a chart of size.
    QRectF plotArea(QSize size) const;
    int scaleTop() const; // the value at the top of the axis
    void paint(QPainter& painter, QSize size) const;

    const AirportBoard& m_board;
};

} // namespace corvane::ui
