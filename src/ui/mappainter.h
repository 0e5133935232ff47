#pragma once
// What the route map looks like: the land, the routes of the listed airport, the airports as dots, the
// legs of the flight being edited and the marks, drawn from a RouteMapEditor for a MapView. The land
// is kept as a path for the current scale and the region around the view, and land and routes as
// images until the view or the routes change, so that most paints only lay images down.

#include "routemap/landoutlines.h"
#include "routemap/mapview.h"

#include <QImage>
#include <QPainterPath>
#include <vector>

class QPainter;

namespace corvane {
class RouteMapEditor;
}

namespace corvane::ui {

class MapPainter {
public:
    explicit MapPainter(const RouteMapEditor& editor)
        : m_editor(editor) {}

    // loaded is false when land.txt could not be read: the map then says so.
    void setLand(LandOutlines land, bool loaded);
    // Paints the map as view shows it onto painter, whose device has ratio pixels per logical one.
    // Smoothed land costs a few milliseconds more, smoothed routes many more.
    void paint(QPainter& painter, const MapView& view, qreal ratio, bool smoothLand, bool smoothRoutes);
    // Route arcs drawn into the routes image when it was last drawn, one per route.
    int routesPainted() const { return m_routesPainted; }

private:
    // What an image was drawn for.
    struct Key {
        double scale = 0, lon = 0, lat = 0;
        int width = 0, height = 0;
        qreal ratio = 0;
        bool smooth = false;
        int revision = 0;
        bool operator==(const Key&) const = default;
    };
    Key key(bool smooth, int revision) const;
    // The view in pixels at the current scale from longitude 0 and the equator (x east, y south).
    QRectF shownInScaleUnits() const;
    const QPainterPath& landPath();
    const QImage& landImage(bool smooth);
    const QImage& routesImage(bool smooth);
    void drawAirports(QPainter& painter) const;
    void drawLegs(QPainter& painter) const;
    void drawMarks(QPainter& painter) const;

    const RouteMapEditor& m_editor;
    const MapView* m_view = nullptr; // during paint()
    qreal m_ratio = 1;

    LandOutlines m_land;
    std::vector<GeoBounds> m_ringBounds;
    bool m_landLoaded = false;
    int m_landRevision = 0; // bumped by setLand()

    QPainterPath m_landPath;
    double m_landPathScale = 0;
    QRectF m_landPathRegion;
    int m_landPathRevision = -1;

    QImage m_landImage, m_routesImage;
    Key m_landKey, m_routesKey;
    int m_routesPainted = 0;
};

} // namespace corvane::ui
