#pragma once
// The route map itself: draws the RouteMapEditor's layers in an equirectangular projection and lets
// the user pan (drag, arrow keys), zoom (wheel, + and -) and fit the selection. The land and the
// route arcs are drawn into images kept until the view or the routes change; while the view moves
// the land is drawn plainly, and smoothed once it has been still for a moment. Hovering an airport
// shows its code and name; clicking one hands its AirportTable row to airportClicked.

#include "routemap/landoutlines.h"
#include "routemap/mapview.h"

#include <QImage>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <vector>

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
    int routesPainted() const { return m_routesPainted; }
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
    // The layers' key: what they were drawn for.
    struct ViewKey {
        double scale = 0, lon = 0, lat = 0;
        int width = 0, height = 0;
        qreal ratio = 0;
        bool operator==(const ViewKey&) const = default;
    };
    ViewKey viewKey() const;
    void viewChanged();
    void paintMap(QPainter& painter, bool smoothLand, bool smoothRoutes);
    // The view in pixels at the current scale from longitude 0 and the equator (x east, y south).
    QRectF shownInScaleUnits() const;
    // The land near the view as one path in those units, kept while the scale stays and the view
    // stays near.
    const QPainterPath& landPath();
    const QImage& landLayer(bool smooth);
    const QImage& routesLayer(bool smooth);
    void drawAirports(QPainter& painter) const;
    void drawLegs(QPainter& painter) const;
    void drawMarks(QPainter& painter) const;
    // The airport row under a widget position, -1 when none.
    int airportUnder(QPointF position) const;

    const RouteMapEditor& m_editor;
    MapView m_view;
    LandOutlines m_land;
    std::vector<GeoBounds> m_ringBounds;
    bool m_landLoaded = false;

    QImage m_landImage;
    QImage m_routesImage;
    ViewKey m_landKey, m_routesKey;
    QPainterPath m_landPath;
    bool m_landPathValid = false;
    double m_landPathScale = 0;
    QRectF m_landPathRegion;
    bool m_landValid = false; // m_landImage shows the land as it is
    bool m_landDrawnSmooth = false;
    int m_routesDrawnRevision = -1;
    bool m_routesDrawnSmooth = false;
    int m_routesPainted = 0;
    double m_lastPaintSeconds = 0;

    bool m_smooth = true; // the view has been still long enough to smooth the land
    QTimer m_settle;
    QPointF m_pressPosition, m_lastPosition;
    bool m_pressed = false;
    bool m_dragging = false;
};

} // namespace corvane::ui
