#pragma once
// F4, the "Import/Export" page: the export's query form and the import of a project file into the
// installed traffic. The page keeps the criteria its controls show; the rules are the core's.

#include "projects/exportcriteria.h"
#include "projects/importcommand.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace corvane {
struct Session;
}

namespace corvane::ui {

class ImportExportPage final : public QWidget {
    Q_OBJECT
public:
    // imported: called after every import with its outcome, for the window to follow it.
    ImportExportPage(Session& session, std::function<void(ImportOutcome)> imported,
                     QWidget* parent = nullptr);

    // The page is opened: the aircraft list is filled afresh and every criterion is unchecked.
    void opened();
    void sync();
    // The project file named for the import.
    const std::string& importPath() const { return m_importPath; }

private:
    void check(Criterion criterion, bool checked);

    Session& m_session;
    std::function<void(ImportOutcome)> m_imported;
    ExportCriteria m_criteria;
    std::string m_importPath;
    std::array<QCheckBox*, kCriterionCount> m_checks{};
    QLineEdit* m_icao;
    QComboBox* m_comparison;
    QLineEdit* m_percent;
    QComboBox* m_aircraft;
    QRadioButton* m_ifr;
    QRadioButton* m_vfr;
    QComboBox* m_repeat;
    QLineEdit* m_importTxt;
};

} // namespace corvane::ui
