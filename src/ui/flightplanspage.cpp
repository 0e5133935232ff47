#include "ui/flightplanspage.h"

#include "editors/editsteps.h"
#include "editors/flighteditor.h"
#include "projects/session.h"
#include "traffic/prompts.h"
#include "traffic/sortedlist.h"
#include "ui/rowsmodel.h"
#include "ui/sortedlistmodel.h"
#include "ui/textcodec.h"
#include "ui/timelinewidget.h"
#include "ui/widgethelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

QLabel* Caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

} // namespace

FlightPlansPage::FlightPlansPage(FlightEditor& editor, Session& session, EditSteps& steps, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_session(session)
    , m_steps(steps)
    , m_search(session.db)
    , m_codes(new SortedListModel(session.db.airportCodes(), this))
    , m_aircraft(new SortedListModel(session.db.aircraftChoices(), this)) {
    setObjectName(QStringLiteral("F1"));
    m_flightsModel = new RowsModel(
        {QStringLiteral("Flight"), QStringLiteral("Index")},
        [this] { return int(m_editor.flightsLst().size()); },
        [this](int row, int column) {
            const FlightRow& r = m_editor.flightsLst()[static_cast<std::size_t>(row)];
            return column == 0 ? r.summary : std::to_string(r.index);
        },
        this);
    m_legsModel = new RowsModel(
        {QStringLiteral("Destination for flight"), QStringLiteral("departure time GMT"),
         QStringLiteral("eta GMT"), QStringLiteral("FL"), QStringLiteral("Flight nr"),
         QStringLiteral("use_tailnum"), QStringLiteral("Day of departure GMT"),
         QStringLiteral("Day of arraival GMT")},
        [this] { return int(m_editor.legs().rows().size()); },
        [this](int row, int column) {
            const LegRow& r = m_editor.legs().rows()[static_cast<std::size_t>(row)];
            const std::string* cells[] = {&r.destination,  &r.departure, &r.arrival,      &r.altitude,
                                          &r.flightNumber, &r.tailFlag,  &r.departureDay, &r.arrivalDay};
            return *cells[column];
        },
        this);

    auto* airportFrame = Named(new QGroupBox(QStringLiteral("Select Airport and Flight"), this), "Frame2");
    auto* flightFrame = Named(new QGroupBox(QStringLiteral("Flight data"), this), "Frame3");
    buildAirportFrame(airportFrame);
    buildFlightFrame(flightFrame);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(airportFrame, 2);
    layout->addWidget(flightFrame, 5);
    bind();
    sync();
}

void FlightPlansPage::buildAirportFrame(QWidget* frame) {
    // The search over every flight: its matches list above the airport's flights while there is text.
    m_flightSearchTxt = Named(new QLineEdit(frame), "flightSearchTxt");
    m_flightSearchTxt->setPlaceholderText(
        QStringLiteral("Find flights by tail, flight number, aircraft or airport (Ctrl+F)"));
    m_flightSearchTxt->setClearButtonEnabled(true);
    m_flightSearchLbl = Named(new QLabel(frame), "flightSearchLbl");
    m_flightSearchModel = new RowsModel(
        {QStringLiteral("Flight"), QStringLiteral("Tail number"), QStringLiteral("Aircraft")},
        [this] { return int(m_search.matches().size()); },
        [this](int row, int column) {
            const int index = m_search.matches()[static_cast<std::size_t>(row)];
            return column == 0   ? m_search.summary(index)
                   : column == 1 ? m_search.tail(index)
                                 : m_search.aircraft(index);
        },
        this);
    m_flightSearchLst = List("flightSearchLst", frame);
    m_flightSearchLst->setModel(m_flightSearchModel);
    m_flightSearchLst->setSelectionMode(QAbstractItemView::ExtendedSelection); // to copy several matches
    m_flightSearchLst->setVisible(false);
    m_flightSearchLbl->setVisible(false);

    m_aptCom = AirportCombo("aptCom", m_codes, frame);
    auto* refresh = Named(new QPushButton(QStringLiteral("Refresh"), frame), "refreshCmd");
    m_infoLbl = Named(new QLabel(frame), "infoLbl");
    m_flightsLst = List("flightsLst", frame);
    m_flightsLst->setModel(m_flightsModel);
    m_flightsLst->header()->setStretchLastSection(false);
    m_flightsLst->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* add = Named(new QPushButton(QStringLiteral("Add"), frame), "addFlightCmd");
    auto* remove = Named(new QPushButton(QStringLiteral("Delete"), frame), "delFlightCmd");

    auto* top = new QHBoxLayout;
    top->addWidget(m_aptCom, 1);
    top->addWidget(refresh);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_flightSearchTxt);
    layout->addWidget(m_flightSearchLbl);
    layout->addWidget(m_flightSearchLst, 1);
    layout->addLayout(top);
    layout->addWidget(m_infoLbl);
    layout->addWidget(m_flightsLst, 1);
    layout->addLayout(buttons);
}

void FlightPlansPage::buildFlightFrame(QWidget* frame) {
    m_aircraftCom = Named(new QComboBox(frame), "aircraftCom");
    m_aircraftCom->setModel(m_aircraft);
    m_aircraftCom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_aircraftCom->setMinimumContentsLength(30);
    m_tailTxt = Named(new QLineEdit(frame), "tailTxt");
    m_percentTxt = Named(new QLineEdit(frame), "percentTxt");
    m_repeatCom = Named(new QComboBox(frame), "repeatCom");
    FillRepeatPeriods(m_repeatCom);
    m_ifrOpt = Named(new QRadioButton(QStringLiteral("IFR"), frame), "ifrOpt");
    m_vfrOpt = Named(new QRadioButton(QStringLiteral("VFR"), frame), "vfrOpt");

    auto* header = new QGridLayout;
    header->addWidget(Caption("Aircraft", frame), 0, 0);
    header->addWidget(m_aircraftCom, 0, 1, 1, 3);
    header->addWidget(Caption("Tail number", frame), 1, 0);
    header->addWidget(m_tailTxt, 1, 1);
    header->addWidget(Caption("Traffic percent", frame), 1, 2);
    header->addWidget(m_percentTxt, 1, 3);
    header->addWidget(Caption("Repeat periode", frame), 2, 0);
    auto* repeat = new QHBoxLayout;
    repeat->addWidget(m_repeatCom);
    repeat->addWidget(Caption("hours", frame));
    header->addLayout(repeat, 2, 1);
    header->addWidget(Caption("Flight type", frame), 2, 2);
    auto* rules = new QHBoxLayout;
    rules->addWidget(m_ifrOpt);
    rules->addWidget(m_vfrOpt);
    header->addLayout(rules, 2, 3);

    m_legsLst = List("legsLst", frame);
    m_legsLst->setModel(m_legsModel);
    auto* addLeg = Named(new QPushButton(QStringLiteral("Add"), frame), "addCmd");
    auto* removeLeg = Named(new QPushButton(QStringLiteral("Delete"), frame), "removeCmd");

    m_depCom = AirportCombo("depCom", m_codes, frame);
    m_desCom = AirportCombo("desCom", m_codes, frame);
    m_depDayCom = Named(new QComboBox(frame), "depDayCom");
    m_arrDayCom = Named(new QComboBox(frame), "arrDayCom");
    FillDays(m_depDayCom);
    FillDays(m_arrDayCom);
    m_arrDayCom->setEnabled(false); // the program sets the arrival day
    m_depTxt = Named(new QLineEdit(frame), "depTxt");
    m_etaTxt = Named(new QLineEdit(frame), "etaTxt");
    m_etaTxt->setReadOnly(true); // the arrival is proposed from the flight time
    m_depZoneCom = Named(new QComboBox(frame), "depZoneCom");
    m_arrZoneCom = Named(new QComboBox(frame), "arrZoneCom");
    FillZones(m_depZoneCom, false);
    FillZones(m_arrZoneCom, true);
    m_cruiseTxt = Named(new QLineEdit(frame), "cruiseTxt");
    m_flightNrTxt = Named(new QLineEdit(frame), "flightNrTxt");
    m_forceTailChk = Named(new QCheckBox(QStringLiteral("ATC use tail number"), frame), "forceTailChk");

    for (QWidget* narrow :
         std::initializer_list<QWidget*>{m_depCom, m_desCom, m_depDayCom, m_arrDayCom, m_depTxt, m_etaTxt,
                                         m_depZoneCom, m_arrZoneCom, m_cruiseTxt})
        narrow->setMaximumWidth(110);
    m_legsLst->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* leg = new QGridLayout;
    // The captions of the columns, each over its own field.
    leg->addWidget(Caption("Airport", frame), 0, 1);
    leg->addWidget(Caption("Day", frame), 0, 2);
    leg->addWidget(Caption("Time", frame), 0, 3);
    leg->addWidget(Caption("Zone", frame), 0, 4);
    leg->addWidget(Caption("Dep", frame), 1, 0);
    leg->addWidget(m_depCom, 1, 1);
    leg->addWidget(m_depDayCom, 1, 2);
    leg->addWidget(m_depTxt, 1, 3);
    leg->addWidget(m_depZoneCom, 1, 4);
    leg->addWidget(Caption("Arr", frame), 2, 0);
    leg->addWidget(m_desCom, 2, 1);
    leg->addWidget(m_arrDayCom, 2, 2);
    leg->addWidget(m_etaTxt, 2, 3);
    leg->addWidget(m_arrZoneCom, 2, 4);
    leg->addWidget(Caption("Cruise altitude (FL)", frame), 3, 1);
    leg->addWidget(m_cruiseTxt, 3, 2);
    leg->addWidget(Caption("Flight number", frame), 4, 1);
    leg->addWidget(m_flightNrTxt, 4, 2);
    leg->addWidget(m_forceTailChk, 5, 1, 1, 2);
    leg->setColumnStretch(5, 1);
    // Tab goes along the departure row, then the arrival row, as they read.
    QWidget* previous = m_depCom;
    for (QWidget* next :
         std::initializer_list<QWidget*>{m_depDayCom, m_depTxt, m_depZoneCom, m_desCom, m_arrDayCom, m_etaTxt,
                                         m_arrZoneCom, m_cruiseTxt, m_flightNrTxt, m_forceTailChk}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }

    auto* legButtons = new QHBoxLayout;
    legButtons->addWidget(Caption("Legs:", frame));
    legButtons->addStretch(1);
    legButtons->addWidget(addLeg);
    legButtons->addWidget(removeLeg);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(header);
    layout->addLayout(legButtons);
    layout->addWidget(m_legsLst, 1);
    m_timeline = Named(new TimelineWidget(m_editor, frame), "timelineView");
    layout->addWidget(m_timeline);
    layout->addLayout(leg);
}

bool FlightPlansPage::bytesOf(const QString& text, std::string& bytes) {
    QChar refused;
    if (auto converted = FromDisplay(text, &refused)) {
        bytes = std::move(*converted);
        return true;
    }
    m_session.prompts.message(RefusedCharacterTitle().toStdString(), RefusedCharacterText(refused),
                              Icon::Exclamation);
    sync();
    return false;
}

template <typename Action> void FlightPlansPage::act(Action action) {
    action();
    sync();
    emit acted();
}

template <typename Action> void FlightPlansPage::command(Action action) {
    m_steps.closeVisit();
    act(action);
}

template <typename Action> void FlightPlansPage::choose(const char* caption, Action action) {
    m_steps.fieldEdited(caption);
    action();
    m_steps.closeVisit();
    sync();
    emit acted();
}

void FlightPlansPage::bind() {
    // Text typed into a field: the editor takes it (or refuses it) and the field shows the result.
    // Typing into a field that holds flight data is one step per visit (caption names it); leaving the
    // field ends the visit.
    auto typed = [this](QLineEdit* field, const char* caption, auto handler) {
        if (caption) EditsInVisits(field, m_steps, caption, [this] { act([] {}); });
        connect(field, &QLineEdit::textEdited, this, [this, field, caption, handler](const QString& text) {
            std::string bytes;
            if (!bytesOf(text, bytes)) return;
            if (!caption) m_steps.closeVisit();
            bool selectAll = false;
            act([&] { selectAll = handler(bytes); });
            if (selectAll) field->selectAll();
        });
    };
    auto click = [this](const char* name, auto handler) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [this, handler] { command(handler); });
    };
    auto codeOf = [](QComboBox* combo, int index) {
        return FromDisplay(combo->itemText(index)).value_or(std::string());
    };

    typed(m_aptCom->lineEdit(), nullptr, [this](const std::string& t) { return m_editor.typeAirport(t); });
    OnEnter(m_aptCom->lineEdit(), [this] {
        bool selectAll = false;
        command([&] { selectAll = m_editor.enterAirport(); });
        if (selectAll) m_aptCom->lineEdit()->selectAll();
    });
    connect(m_aptCom, &QComboBox::activated, this,
            [this, codeOf](int index) { command([&] { m_editor.chooseAirport(codeOf(m_aptCom, index)); }); });
    click("refreshCmd", [this] { m_editor.chooseAirport(); });
    click("addFlightCmd", [this] { m_editor.addFlight(); });
    click("delFlightCmd", [this] { m_editor.deleteFlight(); });
    connect(m_flightsLst->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != m_editor.selectedFlightRow())
                    command([&] { m_editor.chooseFlight(current.row()); });
            });

    // A reset of the aircraft list (its head entries set anew while a save or compile rebuilds it) puts
    // the combo on its first entry: it goes back to the flight's aircraft before anything is painted.
    connect(m_aircraft, &QAbstractItemModel::modelReset, this, [this] {
        m_aircraftCom->setCurrentIndex(m_session.db.aircraftChoices().indexOf(m_editor.header().aircraft));
    });
    connect(m_aircraftCom, &QComboBox::activated, this, [this, codeOf](int index) {
        choose("Aircraft", [&] { m_editor.chooseAircraft(codeOf(m_aircraftCom, index)); });
    });
    typed(m_tailTxt, "Tail number", [this](const std::string& t) {
        m_editor.editTail(t);
        return false;
    });
    typed(m_percentTxt, "Traffic percent", [this](const std::string& t) {
        m_editor.editPercent(t);
        return false;
    });
    connect(m_repeatCom, &QComboBox::activated, this, [this, codeOf](int index) {
        choose("Repeat periode", [&] { m_editor.chooseRepeat(codeOf(m_repeatCom, index)); });
    });
    connect(m_ifrOpt, &QRadioButton::clicked, this,
            [this] { choose("Flight type", [&] { m_editor.chooseRules(true); }); });
    connect(m_vfrOpt, &QRadioButton::clicked, this,
            [this] { choose("Flight type", [&] { m_editor.chooseRules(false); }); });

    LegsEditor& legs = m_editor.legs();
    connect(m_legsLst->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, &legs](const QModelIndex& current) {
                if (current.isValid() && current.row() != legs.selectedRow())
                    command([&] { legs.chooseLeg(current.row()); });
            });
    click("addCmd", [this] { m_editor.addLeg(); });
    click("removeCmd", [this] { m_editor.removeLeg(); });
    typed(m_depCom->lineEdit(), "Departure airport",
          [&legs](const std::string& t) { return legs.typeDeparture(t); });
    typed(m_desCom->lineEdit(), "Destination",
          [&legs](const std::string& t) { return legs.typeDestination(t); });
    OnEnter(m_depCom->lineEdit(), [this, &legs] {
        choose("Departure airport", [&] { legs.enterDeparture(); });
        m_depCom->lineEdit()->selectAll();
    });
    OnEnter(m_desCom->lineEdit(), [this, &legs] {
        choose("Destination", [&] { legs.enterDestination(); });
        m_desCom->lineEdit()->selectAll();
    });
    connect(m_depCom, &QComboBox::activated, this, [this, &legs, codeOf](int index) {
        choose("Departure airport", [&] { legs.chooseDeparture(codeOf(m_depCom, index)); });
    });
    connect(m_desCom, &QComboBox::activated, this, [this, &legs, codeOf](int index) {
        choose("Destination", [&] { legs.chooseDestination(codeOf(m_desCom, index)); });
    });
    typed(m_depTxt, "Departure time", [&legs](const std::string& t) {
        legs.editDepartureTime(t);
        return false;
    });
    connect(m_depDayCom, &QComboBox::activated, this,
            [this, &legs](int index) { choose("Departure day", [&] { legs.chooseDepartureDay(index); }); });
    connect(m_depZoneCom, &QComboBox::activated, this,
            [this, &legs](int index) { command([&] { legs.chooseDepartureZone(index); }); });
    connect(m_arrZoneCom, &QComboBox::activated, this,
            [this, &legs](int index) { command([&] { legs.chooseArrivalZone(index); }); });
    typed(m_cruiseTxt, "Cruise altitude", [&legs](const std::string& t) {
        legs.editAltitude(t);
        return false;
    });
    typed(m_flightNrTxt, "Flight number", [&legs](const std::string& t) {
        legs.editFlightNumber(t);
        return false;
    });
    connect(m_forceTailChk, &QCheckBox::clicked, this, [this, &legs](bool checked) {
        choose("ATC use tail number", [&] { legs.setTailFlag(checked); });
    });
    connect(m_flightSearchTxt, &QLineEdit::textChanged, this, [this] { searchFlights(); });
    ClearOnEscape(m_flightSearchTxt);
    // The flights' searchable text is made as the field takes the focus, before the first keystroke.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_flightSearchTxt) m_search.prepare();
    });
    // A match opens on the page: its home airport listed, the flight loaded.
    const auto open = [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        const int flight = m_search.matches()[static_cast<std::size_t>(index.row())];
        command([&] { m_editor.showFlight(flight); });
    };
    connect(m_flightSearchLst, &QTreeView::clicked, this, open);
    connect(m_flightSearchLst, &QTreeView::activated, this, open);
    OnEnter(m_flightSearchTxt, [this, open] {
        if (m_flightSearchModel->rowCount() > 0) open(m_flightSearchModel->index(0, 0));
    });
    connect(m_timeline, &TimelineWidget::legChosen, this,
            [this, &legs](int row) { command([&] { legs.chooseLeg(row); }); });
}

void FlightPlansPage::searchFlights() {
    // A character without a byte is in no flight: it finds nothing.
    const auto bytes = FromDisplay(m_flightSearchTxt->text());
    const std::vector<int> before = m_search.matches();
    m_search.search(bytes ? *bytes : std::string());
    if (m_search.matches() != before) m_flightSearchModel->rowsReplaced();
    const bool searching = !m_flightSearchTxt->text().isEmpty();
    m_flightSearchLst->setVisible(searching);
    m_flightSearchLbl->setVisible(searching);
    const auto found = m_search.matches().size();
    m_flightSearchLbl->setText(
        QLocale().toString(qlonglong(found)) +
        (found == 1 ? QStringLiteral(" flight found") : QStringLiteral(" flights found")));
}

void FlightPlansPage::focusSearch() {
    m_flightSearchTxt->setFocus();
    m_flightSearchTxt->selectAll();
}

void FlightPlansPage::sync() {
    // The matches follow the flights (a deleted flight leaves them, an edited one may join them).
    // With the field focused, the next keystroke may be a search: what it needs is made now.
    if (!m_flightSearchTxt->text().isEmpty())
        searchFlights();
    else if (m_flightSearchTxt->hasFocus())
        m_search.prepare();
    const SortedList& codes = m_session.db.airportCodes();
    SetAirportCombo(m_aptCom, codes, m_editor.aptComText());
    m_infoLbl->setText(ToDisplay(m_editor.infoLbl()));
    if (m_flightsRevision != m_editor.flightsRevision()) {
        m_flightsRevision = m_editor.flightsRevision();
        m_flightsModel->rowsReplaced();
    }
    SelectRow(m_flightsLst, m_editor.selectedFlightRow());

    const FlightHeader& header = m_editor.header();
    // An aircraft that is not installed is in no entry of the combo: it shows as the combo's text.
    const int aircraft = m_session.db.aircraftChoices().indexOf(header.aircraft);
    m_aircraftCom->setPlaceholderText(aircraft < 0 ? ToDisplay(header.aircraft) : QString());
    m_aircraftCom->setCurrentIndex(aircraft);
    SetText(m_tailTxt, header.tail);
    SetText(m_percentTxt, header.percent);
    m_repeatCom->setCurrentIndex(m_repeatCom->findText(ToDisplay(header.repeat)));
    m_ifrOpt->setChecked(header.ifr);
    m_vfrOpt->setChecked(!header.ifr);

    const LegsEditor& legs = m_editor.legs();
    if (m_legsRevision != legs.rowsRevision()) {
        m_legsRevision = legs.rowsRevision();
        m_legsModel->rowsReplaced();
    } else {
        m_legsModel->cellsChanged();
    }
    SelectRow(m_legsLst, legs.selectedRow());
    const LegFields& fields = legs.fields();
    SetAirportCombo(m_depCom, codes, fields.depCom);
    SetAirportCombo(m_desCom, codes, fields.desCom);
    m_depDayCom->setCurrentIndex(fields.depDayCom);
    m_depDayCom->setEnabled(fields.depDayEnabled);
    m_arrDayCom->setCurrentIndex(fields.arrDayCom);
    SetText(m_depTxt, fields.depTxt);
    SetText(m_etaTxt, fields.etaTxt);
    m_depZoneCom->setCurrentIndex(fields.depZoneCom);
    m_arrZoneCom->setCurrentIndex(fields.arrZoneCom);
    SetText(m_cruiseTxt, fields.cruiseTxt);
    SetText(m_flightNrTxt, fields.flightNrTxt);
    m_forceTailChk->setChecked(fields.forceTailChk);
    m_timeline->sync();
    emit synced();
}

} // namespace corvane::ui
