#pragma once
// The choice of flights of the filter dialogs (allOpt, ICAOOpt with ICAOTxt, aircraftOpt with airCom),
// bound to a FlightSelectionEditor. It reports each choice the user makes with changed().

#include <QWidget>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace corvane {
class FlightSelectionEditor;
class Prompts;
} // namespace corvane

namespace corvane::ui {

class SelectionBox final : public QWidget {
    Q_OBJECT
public:
    SelectionBox(FlightSelectionEditor& editor, Prompts& prompts, QWidget* parent);
    // Sets every widget from the editor.
    void sync();

signals:
    void changed();

private:
    FlightSelectionEditor& m_editor;
    Prompts& m_prompts;
    QLineEdit* m_icao;
    QComboBox* m_aircraft;
    QRadioButton* m_options[3];
};

} // namespace corvane::ui
