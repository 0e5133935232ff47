#include "routemap/mapview.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// The centre along one axis: the world's middle when it fits, else within reach of its edges.
double ClampAxis(double center, double halfWorld, double halfShown) {
    if (halfShown >= halfWorld) return 0;
    return std::clamp(center, -halfWorld + halfShown, halfWorld - halfShown);
}

} // namespace

double MapView::minScale() const {
    return std::min(m_width / 360.0, m_height / 180.0);
}

void MapView::resize(int width, int height) {
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    clamp();
}

void MapView::zoomBy(double factor, ScreenPoint anchor) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const GeoPoint fixed = toGeo(anchor);
    m_scale *= factor;
    clamp();
    // Put the anchored point back under the anchor.
    const ScreenPoint moved = toScreen(fixed);
    panBy(anchor.x - moved.x, anchor.y - moved.y);
}

void MapView::panBy(double dx, double dy) {
    if (!std::isfinite(dx) || !std::isfinite(dy)) return;
    m_center.lon -= dx / m_scale;
    m_center.lat += dy / m_scale;
    clamp();
}

void MapView::fit(const GeoBounds& bounds, double margin) {
    if (bounds.empty) {
        m_scale = minScale();
        m_center = {};
        clamp();
        return;
    }
    const double across = std::max(bounds.east - bounds.west, kMinFitDegrees);
    const double high = std::max(bounds.north - bounds.south, kMinFitDegrees);
    const double w = std::max(m_width - 2 * margin, 1.0), h = std::max(m_height - 2 * margin, 1.0);
    m_scale = std::min(w / across, h / high);
    m_center = {(bounds.west + bounds.east) / 2, (bounds.south + bounds.north) / 2};
    clamp();
}

void MapView::clamp() {
    m_scale = std::clamp(m_scale, minScale(), std::max(minScale(), kMaxScale));
    m_center.lon = ClampAxis(m_center.lon, 180, m_width / 2.0 / m_scale);
    m_center.lat = ClampAxis(m_center.lat, 90, m_height / 2.0 / m_scale);
}

} // namespace corvane
