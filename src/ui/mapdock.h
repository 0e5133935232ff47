#pragma once
// The "Map" dock (View > Map, F10 or Ctrl+M): the route map of the RouteMapEditor with its summary and the
// buttons to zoom and fit. It follows the pages only while it is shown; the land outlines are read
// from land.txt beside the program the first time it is.

#include "editors/routemapeditor.h"

#include <QDockWidget>
#include <optional>
#include <string>

class QLabel;

namespace corvane {
class AirportEditor;
class FlightEditor;
class Prompts;
struct Session;
} // namespace corvane

namespace corvane::ui {

class MapWidget;

class MapDock final : public QDockWidget {
    Q_OBJECT
public:
    MapDock(Session& session, FlightEditor& flights, const AirportEditor& airports, QWidget* parent);

    RouteMapEditor& editor() { return m_editor; }
    MapWidget* map() const { return m_map; }

    // Brings the map in step with the tables and pages; nothing while the dock is hidden.
    void sync();
    // Shows the flight being edited (else the listed airport) when the dock is shown.
    void fitSelection();
    // Reads land.txt (again) and hands it to the map; false when it could not be read.
    bool loadLand();
    // File > "Export Map Image...": shows the dock when it is hidden, then asks where to save. The path
    // written, or nullopt.
    std::optional<std::string> exportImage(Prompts& prompts);
    // The page of the main window (in its scroll area) that the docked map must leave room for: shown
    // docked, the map takes only the width that the page can spare, and opens floating when that is
    // less than the map's own minimum.
    void keepRoomFor(QWidget* page) { m_page = page; }

signals:
    void airportClicked(int row);

private:
    void makeRoom();

    Session& m_session;
    RouteMapEditor m_editor;
    MapWidget* m_map;
    QLabel* m_infoLbl;
    bool m_landRead = false;
    QWidget* m_page = nullptr;
};

} // namespace corvane::ui
