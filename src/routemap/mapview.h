#pragma once
// The part of the world a map widget shows: an equirectangular projection (x grows with longitude, y
// with falling latitude) at a scale in pixels per degree around a centre. The view never shows more
// than the world: zoomed out, the world fits and is centred; zoomed in, panning stops at its edges.

#include "routemap/geo.h"

namespace corvane {

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

class MapView {
public:
    static constexpr double kMaxScale = 4000; // pixels per degree: a few hundred metres across
    // A box of one point, or a tiny one, is shown at least this many degrees across.
    static constexpr double kMinFitDegrees = 4;

    MapView() { clamp(); }

    // The widget's size; the centre stays, the scale stays unless the world would no longer fill it.
    void resize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    double scale() const { return m_scale; }
    // The scale at which the whole world just fits.
    double minScale() const;
    GeoPoint center() const { return m_center; }

    ScreenPoint toScreen(GeoPoint p) const {
        return {(p.lon - m_center.lon) * m_scale + m_width / 2.0,
                (m_center.lat - p.lat) * m_scale + m_height / 2.0};
    }
    GeoPoint toGeo(ScreenPoint s) const {
        return {m_center.lon + (s.x - m_width / 2.0) / m_scale,
                m_center.lat - (s.y - m_height / 2.0) / m_scale};
    }

    // Zooms by factor (above 1: closer), keeping the point under anchor where it is.
    void zoomBy(double factor, ScreenPoint anchor);
    void zoomBy(double factor) { zoomBy(factor, {m_width / 2.0, m_height / 2.0}); }
    // Moves the map by so many pixels (a drag to the right moves the world to the right).
    void panBy(double dx, double dy);
    // Shows bounds with margin pixels around them; the whole world for empty bounds.
    void fit(const GeoBounds& bounds, double margin);

private:
    void clamp();

    int m_width = 360;
    int m_height = 180;
    double m_scale = 1;
    GeoPoint m_center;
};

} // namespace corvane
