#pragma once
// "Airport Board": a window of its own beside the main window (not modal) with the departures and
// arrivals of one airport in two tables and the chart of its hours under them, bound to the
// AirportBoardEditor, which it owns. It builds the board again by itself when the tables change
// (once the operation that changed them has ended); a double-click or Enter on a row hands the row
// to the main window, which shows the flight on the FlightPlans page.

#include "editors/airportboardeditor.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QTreeView;

namespace corvane {
class Prompts;
struct Session;
} // namespace corvane

namespace corvane::ui {

class BoardChartWidget;
class RowsModel;

class AirportBoardWindow final : public QWidget {
    Q_OBJECT
public:
    using ShowRow = std::function<void(AirportBoardEditor::Table table, int row)>;
    // busy: whether an operation is under way, during which the board waits.
    AirportBoardWindow(Session& session, ShowRow showRow, std::function<bool()> busy, QWidget* parent);
    ~AirportBoardWindow() override;

    AirportBoardEditor& editor() { return m_editor; }
    BoardChartWidget* chart() const { return m_chart; }
    // Shows the board of code (nothing changes for the empty code).
    void showAirport(const std::string& code);
    // Builds the board again when the tables changed, keeping the rows chosen.
    void refreshIfStale();
    // Sets every widget from the editor's state.
    void sync();
    // "Export Board Chart...": asks where to save a PNG of the chart; chartExported tells where it went.
    void exportChart(Prompts& prompts);

signals:
    void chartExported(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTreeView* buildTable(AirportBoardEditor::Table table, const char* name);
    void scheduleRefresh(int milliseconds);

    Session& m_session;
    AirportBoardEditor m_editor;
    ShowRow m_showRow;
    std::function<bool()> m_busy;
    bool m_refreshScheduled = false;
    int m_revision = -1;
    QComboBox* m_aptCom;
    QLabel* m_infoLbl;
    QComboBox* m_zoneCom;
    QComboBox* m_dayCom;
    QGroupBox* m_frames[2];
    RowsModel* m_models[2];
    QTreeView* m_lists[2];
    BoardChartWidget* m_chart;
    QLabel* m_countLbl;
};

} // namespace corvane::ui
