#pragma once
// The route map widget: shows the RouteMapEditor's map through a MapPainter and lets the user pan
// (drag, arrow keys), zoom (wheel, + and -) and fit the selection (Home). While the view moves the
// land is drawn plainly; once it has been still for a moment it is smoothed. Hovering an airport
// shows its code and name; clicking one hands its AirportTable row to airportClicked.

#include "routemap/mapview.h"
#include "ui/mappainter.h"

#include <QTimer>
#include <QWidget>

namespace corvane {
class RouteMapEditor;
}

namespace corvane::ui {

class MapWidget final : public QWidget {
    Q_OBJECT
public:
    MapWidget(const RouteMapEditor& editor, QWidget* parent = nullptr);

    // The land outlines to draw; loaded is false when land.txt could not be read (the map says so).
    void setLand(LandOutlines land, bool loaded);
    const MapView& view() const { return m_view; }

    void zoomIn();
    void zoomOut();
    // Shows the editor's selection (the world when there is none).
    void fitSelection();
    // The map as it stands at the widget's size, drawn smoothly and captioned with the summary.
    QImage picture();
    // Route arcs drawn by the last paint, one per route whatever the cuts at the 180th meridian.
    int routesPainted() const { return m_painter.routesPainted(); }
    // How long the last paint took, in seconds.
    double lastPaintSeconds() const { return m_lastPaintSeconds; }

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

signals:
    void airportClicked(int row);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void viewChanged();
    // The airport row under a widget position, -1 when none.
    int airportUnder(QPointF position) const;

    const RouteMapEditor& m_editor;
    MapView m_view;
    MapPainter m_painter;
    double m_lastPaintSeconds = 0;
    bool m_smooth = true; // the view has been still long enough to smooth the land
    QTimer m_settle;
    QPointF m_pressPosition, m_lastPosition;
    bool m_pressed = false;
    bool m_dragging = false;
};

} // namespace corvane::ui
