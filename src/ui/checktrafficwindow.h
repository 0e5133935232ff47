#pragma once
// "Check traffic": a window of its own beside the main window (not modal) with the problems of the
// traffic check in a table, bound to the TrafficCheckEditor. The filters, the sorting and the counts
// are the editor's; a double-click or Enter on a row hands the row to the main window, which shows the
// flight on the FlightPlans page.

#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
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

signals:
    // A quick fix set the arrival of legs legs: the main window shows it, its undo step and what it did.
    void trafficChanged(int legs);

private:
    std::vector<int> selectedRows() const;
    // "Use the proposed arrival" for the selected leg-too-short and leg-too-long problems.
    void useProposedArrival();
    void updateQuickFix();

    TrafficCheckEditor& m_editor;
    ShowRow m_showRow;
    RowsModel* m_model;
    int m_revision = -1;
    QComboBox* m_severityCom;
    QComboBox* m_checkCom;
    QLabel* m_countLbl;
    QTreeView* m_problemsLst;
    QPushButton* m_proposedArrivalCmd;
    QAction* m_proposedArrivalAct;
};

} // namespace corvane::ui
