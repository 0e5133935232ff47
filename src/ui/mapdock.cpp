#include "ui/mapdock.h"

#include "editors/imageexport.h"
#include "projects/session.h"
#include "ui/mapwidget.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

MapDock::MapDock(Session& session, FlightEditor& flights, const AirportEditor& airports, QWidget* parent)
    : QDockWidget(QStringLiteral("Map"), parent)
    , m_session(session)
    , m_editor(session.db, flights, airports) {
    setObjectName(QStringLiteral("mapDock"));
    auto* contents = new QWidget(this);
    m_map = Named(new MapWidget(m_editor, contents), "mapView");
    m_infoLbl = Named(new QLabel(contents), "mapInfoLbl");
    m_infoLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_infoLbl->setWordWrap(true); // a narrow map wraps its summary rather than widening the dock
    auto* zoomIn = Named(new QPushButton(QStringLiteral("+"), contents), "mapZoomInCmd");
    auto* zoomOut = Named(new QPushButton(QString(QChar(0x2212)), contents), "mapZoomOutCmd");
    auto* fit = Named(new QPushButton(QStringLiteral("Fit"), contents), "mapFitCmd");
    zoomIn->setToolTip(QStringLiteral("Zoom in (+)"));
    zoomOut->setToolTip(QStringLiteral("Zoom out (-)"));
    fit->setToolTip(QStringLiteral("Show the flight, or the airport and its routes (Home)"));
    for (QPushButton* button : {zoomIn, zoomOut}) button->setFixedWidth(button->sizeHint().height() + 4);
    connect(zoomIn, &QPushButton::clicked, m_map, &MapWidget::zoomIn);
    connect(zoomOut, &QPushButton::clicked, m_map, &MapWidget::zoomOut);
    connect(fit, &QPushButton::clicked, m_map, &MapWidget::fitSelection);
    connect(m_map, &MapWidget::airportClicked, this, &MapDock::airportClicked);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            makeRoom();
            sync();
        } else {
            m_editor.suspend();
        }
    });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!floating) makeRoom();
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_infoLbl, 1);
    bar->addWidget(zoomIn);
    bar->addWidget(zoomOut);
    bar->addWidget(fit);
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_map, 1);
    setWidget(contents);
}

void MapDock::makeRoom() {
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (!window || !m_page || !m_page->parentWidget() || isFloating() || !isVisible()) return;
    // Lay the window out now, so that the widths below are those shown.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const int missing = m_page->minimumSizeHint().width() - m_page->parentWidget()->width();
    if (missing <= 0) return;
    const int width = this->width() - missing;
    if (width >= minimumSizeHint().width()) {
        window->resizeDocks({this}, {width}, Qt::Horizontal);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return;
    }
    // Too narrow a window for both: the map floats over the right of it, at the width it would like.
    setFloating(true);
    const QSize size = sizeHint().boundedTo(window->size());
    const QRect frame = window->geometry();
    setGeometry(QRect(QPoint(frame.right() - size.width(), frame.top()), size));
}

void MapDock::fitSelection() {
    if (isVisible()) m_map->fitSelection();
}

bool MapDock::loadLand() {
    m_landRead = true;
    auto land = LoadLandOutlines(m_session.state.programFolder);
    const bool loaded = land.has_value();
    m_map->setLand(loaded ? std::move(*land) : LandOutlines{}, loaded);
    return loaded;
}

void MapDock::sync() {
    if (!isVisible()) return;
    if (!m_landRead) loadLand();
    m_editor.update();
    m_infoLbl->setText(ToDisplay(m_editor.summary()));
    m_map->update();
}

std::optional<std::string> MapDock::exportImage(Prompts& prompts) {
    if (!isVisible()) {
        show();
        raise();
        // Lay the window out now, so that the map has its size before it is drawn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    sync();
    return ExportMapImage(prompts, [this] { return PngBytes(m_map->picture()); });
}

} // namespace corvane::ui
