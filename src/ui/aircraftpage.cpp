#include "ui/aircraftpage.h"

#include "editors/aircrafteditor.h"
#include "editors/editsteps.h"
#include "projects/session.h"
#include "ui/elidedtips.h"
#include "ui/texttablemodel.h"
#include "ui/widgethelpers.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

QTreeView* List(const char* name, TextTableModel* model, QWidget* parent) {
    auto* list = Named(new QTreeView(parent), name);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShowCutTextInTooltips(list);
    CopiesRows(list);
    return list;
}

void Select(QTreeView* list, int row) {
    const QModelIndex wanted = row >= 0 ? list->model()->index(row, 0) : QModelIndex();
    if (list->currentIndex() != wanted)
        list->selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
}

} // namespace

AircraftPage::AircraftPage(AircraftEditor& editor, Session& session, EditSteps& steps,
                           std::function<void()> associate, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_session(session)
    , m_steps(steps)
    , m_installedModel(new TextTableModel(session.db.installedAircraftTable(),
                                          {QStringLiteral("Aircraft"), QStringLiteral("Cruise speed"),
                                           QStringLiteral("Default cruise speed")},
                                          this))
    , m_missingModel(new TextTableModel(session.db.missingAircraftTable(), {}, this)) {
    setObjectName(QStringLiteral("F3"));
    auto* installedFrame = Named(
        new QGroupBox(QStringLiteral("Available AI Aircraft found in your FS2002 aicraft folder"), this),
        "Frame5");
    m_installed = List("fsAirLst", m_installedModel, installedFrame);
    m_installed->header()->setStretchLastSection(false);
    m_installed->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_installed->setColumnHidden(2, true); // the default speed is kept, not shown
    m_speed = Named(new QLineEdit(installedFrame), "speedTxt");
    m_speed->setMaximumWidth(90);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QStringLiteral("Cruise speed:"), installedFrame));
    speedRow->addWidget(m_speed);
    speedRow->addWidget(new QLabel(QStringLiteral("knots"), installedFrame));
    speedRow->addStretch(1);
    auto* installedLayout = new QVBoxLayout(installedFrame);
    installedLayout->addWidget(m_installed, 1);
    installedLayout->addLayout(speedRow);

    auto* missingFrame = Named(new QGroupBox(QStringLiteral("Unknown aircraft"), this), "Frame6");
    m_missing = List("missingAIRLst", m_missingModel, missingFrame);
    m_missing->setHeaderHidden(true);
    m_missing->setColumnHidden(1, true);
    m_missing->setColumnHidden(2, true);
    auto* remove = Named(new QPushButton(QStringLiteral("Remove"), missingFrame), "delAirCmd");
    auto* link = Named(new QPushButton(QStringLiteral("Associate"), missingFrame), "linkAirCmd");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(remove);
    buttons->addWidget(link);
    auto* missingLayout = new QVBoxLayout(missingFrame);
    missingLayout->addWidget(new QLabel(QStringLiteral("AI aircraft not found in FS2002:"), missingFrame));
    missingLayout->addWidget(m_missing, 1);
    missingLayout->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(installedFrame, 3);
    layout->addWidget(missingFrame, 2);

    connect(m_installed->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != m_editor.selectedInstalled())
                    command([&] { m_editor.chooseInstalled(current.row()); });
            });
    connect(m_missing->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) m_editor.chooseMissing(current.row());
            });
    EditsInVisits(m_speed, m_steps, "Cruise speed", [this] { act([] {}); });
    connect(m_speed, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string bytes;
        if (TypedBytes(text, bytes, m_session.prompts))
            act([&] { m_editor.editSpeed(bytes); });
        else
            sync();
    });
    connect(remove, &QPushButton::clicked, this, [this] { command([&] { m_editor.removeMissing(); }); });
    connect(link, &QPushButton::clicked, this, [this, associate] {
        command([&] {
            if (m_editor.canAssociate()) associate();
        });
    });
}

template <typename Action> void AircraftPage::act(Action action) {
    action();
    sync();
    emit acted();
}

template <typename Action> void AircraftPage::command(Action action) {
    m_steps.closeVisit();
    act(action);
}

void AircraftPage::opened() {
    const int rows = m_session.db.installedAircraftTable().rowCount();
    const int row = m_editor.selectedInstalled() >= 0 && m_editor.selectedInstalled() < rows
                        ? m_editor.selectedInstalled()
                    : rows > 0 ? 0
                               : -1;
    if (row >= 0) m_editor.chooseInstalled(row);
    sync();
}

void AircraftPage::sync() {
    Select(m_installed, m_editor.selectedInstalled());
    Select(m_missing, m_editor.selectedMissing());
    SetText(m_speed, m_editor.speedTxt());
}

} // namespace corvane::ui
