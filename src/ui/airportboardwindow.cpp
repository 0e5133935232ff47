#include "ui/airportboardwindow.h"

#include "board/boardtext.h"
#include "editors/imageexport.h"
#include "projects/session.h"
#include "ui/boardchartwidget.h"
#include "ui/rowsmodel.h"
#include "ui/sortedlistmodel.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <tuple>

namespace corvane::ui {

using Table = AirportBoardEditor::Table;

AirportBoardWindow::AirportBoardWindow(Session& session, ShowRow showRow, std::function<bool()> busy,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_editor(session)
    , m_showRow(std::move(showRow))
    , m_busy(std::move(busy)) {
    setObjectName(QStringLiteral("boardFrm"));
    setWindowTitle(QStringLiteral("Airport Board"));
    m_aptCom = AirportCombo("boardAptCom", new SortedListModel(session.db.airportCodes(), this), this);
    m_infoLbl = Named(new QLabel(this), "boardInfoLbl");
    m_zoneCom = Named(new QComboBox(this), "boardZoneCom");
    FillZones(m_zoneCom, false);
    m_dayCom = Named(new QComboBox(this), "boardDayCom");
    for (std::string_view item : AirportBoardEditor::kDayItems) m_dayCom->addItem(ToDisplay(item));
    m_chart = Named(new BoardChartWidget(m_editor.board(), this), "boardChart");
    m_countLbl = Named(new QLabel(this), "boardCountLbl");
    m_countLbl->setWordWrap(true);
    m_countLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* exportChart = Named(new QPushButton(QStringLiteral("&Export Chart..."), this), "boardExportCmd");
    auto* close = Named(new QPushButton(QStringLiteral("&Close"), this), "boardCloseCmd");

    auto* choices = new QHBoxLayout;
    auto* airportLbl = new QLabel(QStringLiteral("&Airport:"), this);
    airportLbl->setBuddy(m_aptCom);
    auto* zoneLbl = new QLabel(QStringLiteral("&Times in:"), this);
    zoneLbl->setBuddy(m_zoneCom);
    auto* dayLbl = new QLabel(QStringLiteral("&Day:"), this);
    dayLbl->setBuddy(m_dayCom);
    choices->addWidget(airportLbl);
    choices->addWidget(m_aptCom);
    choices->addWidget(m_infoLbl, 1);
    choices->addWidget(zoneLbl);
    choices->addWidget(m_zoneCom);
    choices->addWidget(dayLbl);
    choices->addWidget(m_dayCom);
    auto* tables = new QSplitter(Qt::Horizontal, this);
    for (const auto& [table, frame, name] :
         {std::tuple{AirportBoardEditor::Departures, "departuresFrm", "departuresLst"},
          std::tuple{AirportBoardEditor::Arrivals, "arrivalsFrm", "arrivalsLst"}}) {
        m_frames[table] = Named(new QGroupBox(tables), frame);
        auto* frameLayout = new QVBoxLayout(m_frames[table]);
        frameLayout->setContentsMargins(4, 4, 4, 4);
        frameLayout->addWidget(buildTable(table, name));
        tables->addWidget(m_frames[table]);
    }
    auto* chartPart = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartPart);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(m_chart, 1);
    chartLayout->addWidget(m_countLbl);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(tables);
    split->addWidget(chartPart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportChart);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(1100, 720);
    // Tab goes through the window in reading order.
    QWidget* order[] = {m_aptCom, m_zoneCom, m_dayCom, m_lists[0], m_lists[1], exportChart, close};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // The airport box as on the FlightPlans page.
    connect(m_aptCom->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (!TypedBytes(text, bytes, m_session.prompts)) return;
        const bool selectAll = m_editor.typeAirport(bytes);
        sync();
        if (selectAll) m_aptCom->lineEdit()->selectAll();
    });
    OnEnter(m_aptCom->lineEdit(), [this] {
        const bool selectAll = m_editor.enterAirport();
        sync();
        if (selectAll) m_aptCom->lineEdit()->selectAll();
    });
    connect(m_aptCom, &QComboBox::activated, this, [this](int index) {
        m_editor.chooseAirport(FromDisplay(m_aptCom->itemText(index)).value_or(std::string()));
        sync();
    });
    connect(m_zoneCom, &QComboBox::activated, this, [this](int index) {
        m_editor.chooseZone(index);
        sync();
    });
    connect(m_dayCom, &QComboBox::activated, this, [this](int index) {
        m_editor.chooseDay(index);
        sync();
    });
    connect(exportChart, &QPushButton::clicked, this, [this] { this->exportChart(m_session.prompts); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    m_editor.setChangeCallback([this] { scheduleRefresh(0); });
    sync();
}

AirportBoardWindow::~AirportBoardWindow() {
    // QWidget closes the window on its way out, after the editor has gone; the focus that leaves the
    // airport box then makes the combo report a choice. Nothing here may answer it.
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

QTreeView* AirportBoardWindow::buildTable(Table table, const char* name) {
    QStringList headers;
    for (int column = 0; column < kBoardColumnCount; ++column)
        headers << ToDisplay(m_editor.header(table, column));
    m_models[table] = new RowsModel(
        headers, [this, table] { return m_editor.rowCount(table); },
        [this, table](int row, int column) { return m_editor.cell(table, row, column); }, this);
    QTreeView* list = List(name, m_frames[table]);
    m_lists[table] = list;
    list->setModel(m_models[table]);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(true);
    // Wide enough for what the short columns hold; the aircraft and the airport get more.
    const char* samples[] = {"00:00:00", "Wed",     "Flight", "N1234",         nullptr,
                             nullptr,    "Percent", "Rules",  "every 12 hours"};
    const QFontMetrics metrics = list->fontMetrics();
    for (int column = 0; column < kBoardColumnCount; ++column) {
        const char* sample = samples[column];
        list->setColumnWidth(column,
                             sample ? metrics.horizontalAdvance(QString::fromLatin1(sample)) + 24 : 150);
    }
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, table](int column) {
        const auto kept = m_editor.key(table, m_lists[table]->currentIndex().row());
        m_editor.clickHeader(table, column);
        sync();
        SelectRow(m_lists[table], m_editor.find(table, kept));
    });
    connect(list, &QTreeView::doubleClicked, this,
            [this, table](const QModelIndex& index) { m_showRow(table, index.row()); });
    OnEnter(list, [this, table] {
        if (m_lists[table]->currentIndex().isValid()) m_showRow(table, m_lists[table]->currentIndex().row());
    });
    return list;
}

void AirportBoardWindow::showAirport(const std::string& code) {
    if (code.empty()) return;
    m_editor.chooseAirport(code);
    sync();
}

void AirportBoardWindow::scheduleRefresh(int milliseconds) {
    if (m_refreshScheduled) return;
    m_refreshScheduled = true;
    QTimer::singleShot(milliseconds, this, [this] {
        m_refreshScheduled = false;
        // While an operation runs (a filter, a load), the tables may change many times more.
        if (m_busy && m_busy()) return scheduleRefresh(100);
        refreshIfStale();
    });
}

void AirportBoardWindow::refreshIfStale() {
    if (!isVisible() || !m_editor.stale()) return; // a hidden board is built again when shown
    AirportBoardEditor::RowKey kept[2];
    for (Table table : {AirportBoardEditor::Departures, AirportBoardEditor::Arrivals})
        kept[table] = m_editor.key(table, m_lists[table]->currentIndex().row());
    m_editor.refresh();
    sync();
    for (Table table : {AirportBoardEditor::Departures, AirportBoardEditor::Arrivals})
        SelectRow(m_lists[table], m_editor.find(table, kept[table]));
}

void AirportBoardWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshIfStale();
}

void AirportBoardWindow::sync() {
    SetAirportCombo(m_aptCom, m_session.db.airportCodes(), m_editor.aptComText());
    m_infoLbl->setText(ToDisplay(m_editor.airportText()));
    m_zoneCom->setCurrentIndex(m_editor.zone());
    m_dayCom->setCurrentIndex(m_editor.dayItem());
    if (m_revision != m_editor.rowsRevision()) {
        m_revision = m_editor.rowsRevision();
        for (Table table : {AirportBoardEditor::Departures, AirportBoardEditor::Arrivals})
            m_models[table]->rowsReplaced();
    }
    for (Table table : {AirportBoardEditor::Departures, AirportBoardEditor::Arrivals}) {
        m_frames[table]->setTitle(ToDisplay(m_editor.tableTitle(table)));
        m_lists[table]->header()->setSortIndicator(
            m_editor.sortColumn(table), m_editor.ascending(table) ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    m_countLbl->setText(MessageToDisplay(CountsText(m_editor.board())));
    m_chart->update();
}

void AirportBoardWindow::exportChart(Prompts& prompts) {
    if (!isVisible()) {
        show();
        // Lay the window out now, so that the chart has its size before it is drawn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    refreshIfStale();
    if (const auto path =
            ExportImage(prompts, kBoardChartImage, [this] { return PngBytes(m_chart->picture()); }))
        emit chartExported(ToDisplay(*path));
}

} // namespace corvane::ui
