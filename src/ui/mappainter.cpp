#include "ui/mappainter.h"

#include "editors/routemapeditor.h"

#include <QPainter>
#include <cmath>

namespace corvane::ui {

namespace {

const QColor kOcean(214, 228, 240);
const QColor kLand(242, 238, 226);
const QColor kCoast(172, 164, 146);
const QColor kRoute(214, 96, 24);
const QColor kAirport(150, 150, 150);
const QColor kBusyAirport(32, 44, 64);
const QColor kLeg(31, 78, 156);
const QColor kSelectedLeg(216, 27, 96);
const QColor kChosen(230, 81, 0);
const QColor kMarked(46, 125, 50);

constexpr double kRouteOpacity = 0.55;
// Points of a line closer than this to the last one drawn (in pixels, across plus down) are skipped.
constexpr double kDetailPixels = 0.7;

QPointF Screen(const MapView& view, GeoPoint p) {
    const ScreenPoint s = view.toScreen(p);
    return {s.x, s.y};
}

// Draws a line on screen, leaving out points that would add nothing visible and the stretches outside
// clip, so that a line mostly off the screen costs little.
void DrawLine(QPainter& painter, const MapView& view, std::span<const GeoPoint> line, const QRectF& clip,
              std::vector<QPointF>& run) {
    run.clear();
    auto flush = [&] {
        if (run.size() >= 2) painter.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    QPointF last;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const QPointF p = Screen(view, line[i]);
        if (i > 0) {
            if (i + 1 < line.size() &&
                std::abs(p.x() - last.x()) + std::abs(p.y() - last.y()) < kDetailPixels)
                continue;
            const bool visible =
                std::min(p.x(), last.x()) <= clip.right() && std::max(p.x(), last.x()) >= clip.left() &&
                std::min(p.y(), last.y()) <= clip.bottom() && std::max(p.y(), last.y()) >= clip.top();
            if (visible) {
                if (run.empty()) run.push_back(last);
                run.push_back(p);
            } else {
                flush();
            }
        }
        last = p;
    }
    flush();
}

QImage Layer(QSize size, qreal ratio, QImage::Format format) {
    QImage image(size * ratio, format);
    image.setDevicePixelRatio(ratio);
    return image;
}

void DrawArrow(QPainter& painter, QPointF at, double east, double north, const QColor& color) {
    // North is up on the screen.
    const double length = std::hypot(east, north);
    if (length == 0) return;
    const QPointF ahead(east / length, -north / length);
    const QPointF side(-ahead.y(), ahead.x());
    constexpr double kSize = 7;
    const QPointF tip = at + ahead * kSize;
    const QPointF back = at - ahead * kSize;
    const QPointF points[] = {tip, back + side * kSize * 0.8, back - side * kSize * 0.8};
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(points, 3);
}

} // namespace

void MapPainter::setLand(LandOutlines land, bool loaded) {
    m_land = std::move(land);
    m_landLoaded = loaded;
    m_ringBounds.clear();
    for (std::size_t i = 0; i < m_land.rings.lineCount(); ++i) {
        GeoBounds bounds;
        for (GeoPoint p : m_land.rings.line(i)) bounds.add(p);
        m_ringBounds.push_back(bounds);
    }
    ++m_landRevision;
}

MapPainter::Key MapPainter::key(bool smooth, int revision) const {
    return {m_view->scale(),
            m_view->center().lon,
            m_view->center().lat,
            m_view->width(),
            m_view->height(),
            m_ratio,
            smooth,
            revision};
}

QRectF MapPainter::shownInScaleUnits() const {
    const double s = m_view->scale();
    const double w = m_view->width(), h = m_view->height();
    return {m_view->center().lon * s - w / 2, -m_view->center().lat * s - h / 2, w, h};
}

const QPainterPath& MapPainter::landPath() {
    const double s = m_view->scale();
    const QRectF shown = shownInScaleUnits();
    if (m_landPathRevision == m_landRevision && m_landPathScale == s && m_landPathRegion.contains(shown))
        return m_landPath;
    // The rings near the view, a view's width and height around it, so that panning reuses them.
    m_landPathRevision = m_landRevision;
    m_landPathScale = s;
    m_landPathRegion = shown.adjusted(-shown.width(), -shown.height(), shown.width(), shown.height());
    m_landPath = QPainterPath();
    m_landPath.setFillRule(Qt::OddEvenFill);
    std::vector<QPointF> points;
    for (std::size_t i = 0; i < m_land.rings.lineCount(); ++i) {
        const GeoBounds& b = m_ringBounds[i];
        if (!QRectF(QPointF(b.west * s, -b.north * s), QPointF(b.east * s, -b.south * s))
                 .intersects(m_landPathRegion))
            continue;
        points.clear();
        for (GeoPoint p : m_land.rings.line(i)) {
            const QPointF q(p.lon * s, -p.lat * s);
            if (!points.empty() &&
                std::abs(q.x() - points.back().x()) + std::abs(q.y() - points.back().y()) < kDetailPixels)
                continue;
            points.push_back(q);
        }
        m_landPath.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
        m_landPath.closeSubpath();
    }
    return m_landPath;
}

const QImage& MapPainter::landImage(bool smooth) {
    const Key wanted = key(smooth, m_landRevision);
    if (wanted == m_landKey && !m_landImage.isNull()) return m_landImage;
    m_landKey = wanted;
    m_landImage = Layer(QSize(m_view->width(), m_view->height()), m_ratio, QImage::Format_RGB32);
    m_landImage.fill(kOcean);
    QPainter painter(&m_landImage);
    const QPainterPath& path = landPath();
    painter.translate(-shownInScaleUnits().topLeft());
    // Smoothing the fill costs several times a plain one; a smoothed coastline over a plain fill
    // looks the same for a fraction of it.
    painter.fillPath(path, kLand);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.strokePath(path, QPen(kCoast, 0));
    return m_landImage;
}

const QImage& MapPainter::routesImage(bool smooth) {
    const Key wanted = key(smooth, m_editor.routesRevision());
    if (wanted == m_routesKey && !m_routesImage.isNull()) return m_routesImage;
    m_routesKey = wanted;
    m_routesImage =
        Layer(QSize(m_view->width(), m_view->height()), m_ratio, QImage::Format_ARGB32_Premultiplied);
    m_routesImage.fill(Qt::transparent);
    QPainter painter(&m_routesImage);
    // Opaque lines drawn plainly are many times faster than translucent or smoothed ones; the whole
    // image is laid over the map translucently.
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(QPen(kRoute, smooth ? 1.2 : 0));
    const Polylines& arcs = m_editor.routeArcs();
    const QRectF clip = QRectF(0, 0, m_view->width(), m_view->height()).adjusted(-2, -2, 2, 2);
    std::vector<QPointF> points;
    m_routesPainted = 0;
    for (const RouteMapEditor::LineRange& range : m_editor.routeLines()) {
        if (range.first == range.last) continue;
        ++m_routesPainted;
        for (std::size_t line = range.first; line < range.last; ++line)
            DrawLine(painter, *m_view, arcs.line(line), clip, points);
    }
    return m_routesImage;
}

void MapPainter::drawAirports(QPainter& painter) const {
    const bool close = m_view->scale() >= 20;
    const int small = close ? 3 : 2, large = close ? 5 : 3;
    std::vector<QRect> plain, busy;
    const double w = m_view->width(), h = m_view->height();
    for (const MapAirport& airport : m_editor.airports()) {
        if (!airport.positioned) continue;
        const ScreenPoint s = m_view->toScreen(airport.at);
        if (s.x < -large || s.y < -large || s.x > w + large || s.y > h + large) continue;
        const int size = airport.withFlights ? large : small;
        const int x = static_cast<int>(std::floor(s.x)) - size / 2,
                  y = static_cast<int>(std::floor(s.y)) - size / 2;
        (airport.withFlights ? busy : plain).emplace_back(x, y, size, size);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAirport);
    painter.drawRects(plain.data(), static_cast<int>(plain.size()));
    painter.setBrush(kBusyAirport);
    painter.drawRects(busy.data(), static_cast<int>(busy.size()));
}

void MapPainter::drawLegs(QPainter& painter) const {
    const auto& legs = m_editor.legs();
    const Polylines& arcs = m_editor.legArcs();
    const QRectF clip = QRectF(0, 0, m_view->width(), m_view->height()).adjusted(-5, -5, 5, 5);
    painter.setRenderHint(QPainter::Antialiasing, true);
    std::vector<QPointF> points;
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    // The leg on screen last, so that it lies on top.
    auto draw = [&](const MapLeg& leg, bool selected) {
        const QColor color = selected ? kSelectedLeg : kLeg;
        painter.setPen(QPen(color, selected ? 4 : 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        for (std::size_t line = leg.firstLine; line < leg.lastLine; ++line)
            DrawLine(painter, *m_view, arcs.line(line), clip, points);
        const QPointF middle = Screen(*m_view, leg.middle.at);
        DrawArrow(painter, middle, leg.middle.east, leg.middle.north, color);
        painter.setPen(color);
        painter.drawText(middle + QPointF(8, -6), QString::number(leg.number));
    };
    for (std::size_t i = 0; i < legs.size(); ++i)
        if (legs[i].drawn() && static_cast<int>(i) != m_editor.selectedLeg()) draw(legs[i], false);
    if (m_editor.selectedLeg() >= 0 && legs[static_cast<std::size_t>(m_editor.selectedLeg())].drawn())
        draw(legs[static_cast<std::size_t>(m_editor.selectedLeg())], true);
}

void MapPainter::drawMarks(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    if (const auto chosen = m_editor.chosenAt()) {
        painter.setPen(QPen(kChosen, 2.5));
        painter.drawEllipse(Screen(*m_view, *chosen), 6, 6);
    }
    if (const auto marked = m_editor.markedAt()) {
        const QPointF at = Screen(*m_view, *marked);
        painter.setPen(QPen(kMarked, 2));
        painter.drawEllipse(at, 10, 10);
        painter.drawLine(at + QPointF(-15, 0), at + QPointF(-5, 0));
        painter.drawLine(at + QPointF(5, 0), at + QPointF(15, 0));
        painter.drawLine(at + QPointF(0, -15), at + QPointF(0, -5));
        painter.drawLine(at + QPointF(0, 5), at + QPointF(0, 15));
    }
}

void MapPainter::paint(QPainter& painter, const MapView& view, qreal ratio, bool smoothLand,
                       bool smoothRoutes) {
    m_view = &view;
    m_ratio = ratio;
    painter.drawImage(QPointF(0, 0), landImage(smoothLand));
    painter.setOpacity(kRouteOpacity);
    painter.drawImage(QPointF(0, 0), routesImage(smoothRoutes));
    painter.setOpacity(1);
    drawAirports(painter);
    drawLegs(painter);
    drawMarks(painter);
    if (!m_landLoaded) {
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(0, 0, view.width(), view.height()).adjusted(6, 0, -6, -4),
                         Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("No land outlines: land.txt could not be read."));
    }
    m_view = nullptr;
}

} // namespace corvane::ui
