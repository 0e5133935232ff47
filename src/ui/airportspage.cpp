#include "ui/airportspage.h"

#include "editors/airporteditor.h"
#include "editors/editsteps.h"
#include "projects/session.h"
#include "ui/airportlistmodel.h"
#include "ui/elidedtips.h"
#include "ui/textcodec.h"
#include "ui/widgethelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

QComboBox* Hemispheres(const char* name, const char* first, const char* second, QWidget* parent) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItem(QString::fromLatin1(first));
    combo->addItem(QString::fromLatin1(second));
    return combo;
}

QHBoxLayout* CoordinateRow(QComboBox* hemisphere, QLineEdit* degrees, QLineEdit* minutes, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(hemisphere);
    row->addWidget(degrees);
    row->addWidget(new QLabel(QStringLiteral("*"), parent));
    row->addWidget(minutes);
    row->addWidget(new QLabel(QStringLiteral("'"), parent));
    row->addStretch(1);
    degrees->setMaximumWidth(60);
    minutes->setMaximumWidth(80);
    return row;
}

} // namespace

AirportsPage::AirportsPage(AirportEditor& editor, Session& session, EditSteps& steps, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_session(session)
    , m_steps(steps)
    , m_model(new AirportListModel(editor.order(), session.db.airportTable(), this)) {
    setObjectName(QStringLiteral("F2"));
    auto* frame = Named(new QGroupBox(QStringLiteral("AI Airport database"), this), "Frame4");
    m_search = Named(new QLineEdit(frame), "aptSearchTxt");
    m_search->setPlaceholderText(QStringLiteral("Find an airport by code, name or country (Ctrl+F)"));
    m_search->setClearButtonEnabled(true);
    m_count = Named(new QLabel(frame), "aptCountLbl");
    m_list = Named(new QTreeView(frame), "aptLST");
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShowCutTextInTooltips(m_list);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(0, Qt::AscendingOrder);
    m_list->setColumnWidth(0, 70);
    m_list->setColumnWidth(4, 320);
    CopiesRows(m_list);

    m_icao = Named(new QLineEdit(frame), "aptIcaoTxt");
    m_icao->setReadOnly(true);
    m_name = Named(new QLineEdit(frame), "aptNameTxt");
    m_country = Named(new QLineEdit(frame), "aptCountryTxt");
    m_elevation = Named(new QLineEdit(frame), "aptElevTxt");
    m_latHemisphere = Hemispheres("aptLon1", "N", "S", frame);
    m_latDegrees = Named(new QLineEdit(frame), "aptLon2");
    m_latMinutes = Named(new QLineEdit(frame), "aptLon3");
    m_lonHemisphere = Hemispheres("aptLat1", "E", "W", frame);
    m_lonDegrees = Named(new QLineEdit(frame), "aptLat2");
    m_lonMinutes = Named(new QLineEdit(frame), "aptLat3");
    auto* add = Named(new QPushButton(QStringLiteral("Add"), frame), "addAPTCmd");
    auto* remove = Named(new QPushButton(QStringLiteral("Delete"), frame), "delAPTCmd");

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("ICAO:"), m_icao);
    fields->addRow(QStringLiteral("Airport:"), m_name);
    fields->addRow(QStringLiteral("Country:"), m_country);
    fields->addRow(QStringLiteral("Elevation:"), m_elevation);
    fields->addRow(QStringLiteral("Latitude:"),
                   CoordinateRow(m_latHemisphere, m_latDegrees, m_latMinutes, frame));
    fields->addRow(QStringLiteral("Longitude:"),
                   CoordinateRow(m_lonHemisphere, m_lonDegrees, m_lonMinutes, frame));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_count);
    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);

    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && m_editor.order().tableRow(current.row()) != m_editor.selectedRow())
                    command([&] { m_editor.chooseRow(m_editor.order().tableRow(current.row())); });
            });
    const auto search = [this](const QString& text) {
        std::string bytes;
        if (!bytesOf(text, bytes)) return;
        command([&] {
            // The fields show an airport of the list: the first one found when the one shown is not.
            AirportOrder& order = m_editor.order();
            order.search(bytes);
            const int shown = m_editor.selectedRow();
            if (order.count() > 0 && (shown < 0 || !order.matches(shown)))
                m_editor.chooseRow(order.tableRow(0));
        });
    };
    connect(m_search, &QLineEdit::textEdited, this, search);
    ClearOnEscape(m_search, [search] { search(QString()); });
    // Enter in the search goes to the list, on the first airport found.
    OnEnter(m_search, [this] {
        if (m_editor.order().count() > 0 && m_editor.selectedRow() < 0)
            command([&] { m_editor.chooseRow(m_editor.order().tableRow(0)); });
        m_list->setFocus();
    });
    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { command([&] { m_editor.clickHeader(column); }); });
    // Typing is one step per visit of a field.
    const auto left = [this] { act([] {}); };
    auto typed = [this, left](QLineEdit* field, const char* caption,
                              void (AirportEditor::*edit)(const std::string&)) {
        EditsInVisits(field, m_steps, caption, left);
        connect(field, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
            std::string bytes;
            if (bytesOf(text, bytes)) act([&] { (m_editor.*edit)(bytes); });
        });
    };
    typed(m_name, "Airport", &AirportEditor::editName);
    typed(m_country, "Country", &AirportEditor::editCountry);
    typed(m_elevation, "Elevation", &AirportEditor::editElevation);
    for (QLineEdit* field : {m_latDegrees, m_latMinutes}) {
        EditsInVisits(field, m_steps, "Latitude", left);
        connect(field, &QLineEdit::textEdited, this, [this] { editLatitude(); });
    }
    for (QLineEdit* field : {m_lonDegrees, m_lonMinutes}) {
        EditsInVisits(field, m_steps, "Longitude", left);
        connect(field, &QLineEdit::textEdited, this, [this] { editLongitude(); });
    }
    connect(m_latHemisphere, &QComboBox::activated, this, [this] { command([&] { editLatitude(); }); });
    connect(m_lonHemisphere, &QComboBox::activated, this, [this] { command([&] { editLongitude(); }); });
    connect(add, &QPushButton::clicked, this, [this] { command([&] { m_editor.addAirport(); }); });
    connect(remove, &QPushButton::clicked, this, [this] {
        setCursor(Qt::WaitCursor);
        command([&] { m_editor.deleteAirport(); });
        unsetCursor();
    });
}

bool AirportsPage::bytesOf(const QString& text, std::string& bytes) {
    if (TypedBytes(text, bytes, m_session.prompts)) return true;
    sync();
    return false;
}

void AirportsPage::editLatitude() {
    std::string hemisphere, degrees, minutes;
    if (bytesOf(m_latHemisphere->currentText(), hemisphere) && bytesOf(m_latDegrees->text(), degrees) &&
        bytesOf(m_latMinutes->text(), minutes))
        act([&] { m_editor.editLatitude(hemisphere, degrees, minutes); });
}

void AirportsPage::editLongitude() {
    std::string hemisphere, degrees, minutes;
    if (bytesOf(m_lonHemisphere->currentText(), hemisphere) && bytesOf(m_lonDegrees->text(), degrees) &&
        bytesOf(m_lonMinutes->text(), minutes))
        act([&] { m_editor.editLongitude(hemisphere, degrees, minutes); });
}

template <typename Action> void AirportsPage::act(Action action) {
    action();
    sync();
    emit acted();
}

template <typename Action> void AirportsPage::command(Action action) {
    m_steps.closeVisit();
    act(action);
}

void AirportsPage::focusSearch() {
    m_search->setFocus();
    m_search->selectAll();
}

void AirportsPage::opened() {
    const int row = m_editor.selectedRow() >= 0    ? m_editor.selectedRow()
                    : m_editor.order().count() > 0 ? m_editor.order().tableRow(0)
                                                   : -1;
    if (row >= 0 && row < m_session.db.airportTable().rowCount()) m_editor.chooseRow(row);
    sync();
}

void AirportsPage::sync() {
    const AirportOrder& order = m_editor.order();
    m_list->header()->setSortIndicator(order.sortColumn(),
                                       order.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    const int position = m_editor.selectedRow() >= 0 ? m_editor.order().position(m_editor.selectedRow()) : -1;
    const QModelIndex wanted = position >= 0 ? m_model->index(position, 0) : QModelIndex();
    if (m_list->currentIndex() != wanted)
        m_list->selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    if (wanted.isValid()) m_list->scrollTo(wanted);
    const QLocale locale;
    m_count->setText(locale.toString(order.count()) + QStringLiteral(" of ") +
                     locale.toString(order.total()) + QStringLiteral(" airports"));
    const AirportFields& f = m_editor.fields();
    SetText(m_icao, f.aptIcaoTxt);
    SetText(m_name, f.aptNameTxt);
    SetText(m_country, f.aptCountryTxt);
    SetText(m_elevation, f.aptElevTxt);
    m_latHemisphere->setCurrentIndex(m_latHemisphere->findText(ToDisplay(f.aptLon1)));
    SetText(m_latDegrees, f.aptLon2);
    SetText(m_latMinutes, f.aptLon3);
    m_lonHemisphere->setCurrentIndex(m_lonHemisphere->findText(ToDisplay(f.aptLat1)));
    SetText(m_lonDegrees, f.aptLat2);
    SetText(m_lonMinutes, f.aptLat3);
    emit synced();
}

} // namespace corvane::ui
