#include "ui/checktrafficwindow.h"

#include "editors/trafficcheckeditor.h"
#include "ui/elidedtips.h"
#include "ui/rowsmodel.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane::ui {

namespace {

QStringList Headers() {
    QStringList headers;
    for (std::string_view header : TrafficCheckEditor::kHeaders) headers << ToDisplay(header);
    return headers;
}

} // namespace

CheckTrafficWindow::CheckTrafficWindow(TrafficCheckEditor& editor, ShowRow showRow, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_editor(editor)
    , m_showRow(std::move(showRow)) {
    setObjectName(QStringLiteral("checkFrm"));
    setWindowTitle(QStringLiteral("Check traffic"));
    m_model = new RowsModel(
        Headers(), [this] { return m_editor.rowCount(); },
        [this](int row, int column) { return m_editor.cell(row, column); }, this);
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_model->setDecoration([this, errorIcon, warningIcon](int row, int column) -> QVariant {
        if (column != TrafficCheckEditor::SeverityColumn) return {};
        return m_editor.problem(row).severity() == Severity::Error ? errorIcon : warningIcon;
    });

    m_severityCom = Named(new QComboBox(this), "severityCom");
    for (std::string_view item : TrafficCheckEditor::kSeverityItems) m_severityCom->addItem(ToDisplay(item));
    m_checkCom = Named(new QComboBox(this), "checkCom");
    m_checkCom->addItem(ToDisplay(TrafficCheckEditor::kAllChecksItem));
    for (Check check : kAllChecks) m_checkCom->addItem(ToDisplay(CheckTitle(check)));
    m_countLbl = Named(new QLabel(this), "countLbl");
    m_problemsLst = Named(new QTreeView(this), "problemsLst");
    m_problemsLst->setModel(m_model);
    m_problemsLst->setRootIsDecorated(false);
    m_problemsLst->setUniformRowHeights(true);
    m_problemsLst->setAllColumnsShowFocus(true);
    // Several problems at once: to copy them, or to use their proposed arrivals.
    m_problemsLst->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_problemsLst->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_problemsLst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A long message keeps its beginning (the airports) and its end; hovering shows it whole.
    m_problemsLst->setTextElideMode(Qt::ElideMiddle);
    ShowCutTextInTooltips(m_problemsLst);
    CopiesRows(m_problemsLst);
    m_problemsLst->header()->setSectionsClickable(true);
    m_problemsLst->header()->setSortIndicatorShown(true);
    m_problemsLst->header()->setStretchLastSection(true);
    const int widths[] = {90, 60, 150, 40, 130};
    for (int column = 0; column < 5; ++column) m_problemsLst->setColumnWidth(column, widths[column]);
    m_proposedArrivalCmd = Named(new QPushButton(ToDisplay(TrafficCheckEditor::kUseProposedArrival), this),
                                 "proposedArrivalCmd");
    m_proposedArrivalAct =
        Named(new QAction(ToDisplay(TrafficCheckEditor::kUseProposedArrival), this), "proposedArrivalAct");
    m_problemsLst->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_problemsLst->addAction(m_proposedArrivalAct);
    auto* refresh = Named(new QPushButton(QStringLiteral("&Refresh"), this), "recheckCmd");
    auto* close = Named(new QPushButton(QStringLiteral("&Close"), this), "checkCloseCmd");

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Show:"), this));
    filters->addWidget(m_severityCom);
    filters->addWidget(m_checkCom);
    filters->addStretch(1);
    filters->addWidget(m_countLbl);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_proposedArrivalCmd);
    buttons->addStretch(1);
    buttons->addWidget(refresh);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_problemsLst, 1);
    layout->addLayout(buttons);
    // First shown over the middle of the main window, within its screen.
    QRect frame(QPoint(0, 0), QSize(980, 460));
    if (parent) {
        frame.moveCenter(parent->window()->geometry().center());
        if (const QScreen* screen = parent->screen()) {
            const QRect room = screen->availableGeometry();
            frame.setSize(frame.size().boundedTo(room.size()));
            frame.moveCenter(parent->window()->geometry().center());
            frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() + 1 - frame.width()));
            frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() + 1 - frame.height()));
        }
    }
    resize(frame.size());
    if (parent) move(frame.topLeft());

    connect(m_severityCom, &QComboBox::activated, this, [this](int index) {
        m_editor.filterSeverity(static_cast<TrafficCheckEditor::SeverityFilter>(index));
        sync();
    });
    connect(m_checkCom, &QComboBox::activated, this, [this](int index) {
        m_editor.filterCheck(index - 1);
        sync();
    });
    connect(m_problemsLst->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_editor.clickHeader(column);
        sync();
    });
    connect(m_problemsLst, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { m_showRow(index.row()); });
    OnEnter(m_problemsLst, [this] {
        if (m_problemsLst->currentIndex().isValid()) m_showRow(m_problemsLst->currentIndex().row());
    });
    connect(m_proposedArrivalCmd, &QPushButton::clicked, this, &CheckTrafficWindow::useProposedArrival);
    connect(m_proposedArrivalAct, &QAction::triggered, this, &CheckTrafficWindow::useProposedArrival);
    connect(m_problemsLst->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CheckTrafficWindow::updateQuickFix);
    connect(refresh, &QPushButton::clicked, this, &CheckTrafficWindow::recheck);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    sync();
}

void CheckTrafficWindow::recheck() {
    m_editor.refresh();
    sync();
}

void CheckTrafficWindow::sync() {
    if (m_revision != m_editor.rowsRevision()) {
        m_revision = m_editor.rowsRevision();
        m_model->rowsReplaced();
    }
    m_problemsLst->header()->setSortIndicator(
        m_editor.sortColumn(), m_editor.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    m_severityCom->setCurrentIndex(static_cast<int>(m_editor.severityFilter()));
    m_checkCom->setCurrentIndex(m_editor.checkFilter() + 1);
    m_countLbl->setText(ToDisplay(m_editor.countsText()));
    updateQuickFix();
}

std::vector<int> CheckTrafficWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_problemsLst->selectionModel()->selectedRows())
        rows.push_back(index.row());
    return rows;
}

void CheckTrafficWindow::updateQuickFix() {
    const std::vector<int> rows = selectedRows();
    const bool fixable =
        std::any_of(rows.begin(), rows.end(), [this](int row) { return m_editor.fixable(row); });
    m_proposedArrivalCmd->setEnabled(fixable);
    m_proposedArrivalAct->setEnabled(fixable);
}

void CheckTrafficWindow::useProposedArrival() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) return;
    const int legs = m_editor.useProposedArrival(rows);
    sync();
    emit trafficChanged(legs);
}

} // namespace corvane::ui
