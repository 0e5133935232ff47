#pragma once
// "Check traffic": a window of its own beside the main window (not modal) with the problems of the
// traffic check in a table, bound to the TrafficCheckEditor. The filters, the sorting and the counts
// are the editor's; a double-click or Enter on a row hands the row to the main window, which shows the
// flight on the FlightPlans page.

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QTreeView;

namespace corvane {
class TrafficCheckEditor;
}

namespace corvane::ui {

class RowsModel;

class CheckTrafficWindow final : public QWidget {
    Q_OBJECT
public:
    using ShowRow = std::function<void(int row)>;
    CheckTrafficWindow(TrafficCheckEditor& editor, ShowRow showRow, QWidget* parent);

    // Checks again and shows the result.
    void recheck();
    // Sets every widget from the editor's state.
    void sync();

private:
    TrafficCheckEditor& m_editor;
    ShowRow m_showRow;
    RowsModel* m_model;
    int m_revision = -1;
    QComboBox* m_severityCom;
    QComboBox* m_checkCom;
    QLabel* m_countLbl;
    QTreeView* m_problemsLst;
};

} // namespace corvane::ui
