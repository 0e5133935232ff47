#pragma once
// assosiateFrm: associates the selected unknown aircraft with an available one of similar cruise
// speed, bound to the AssociationEditor. Modal; its progress bar shows while the flights are rewritten.

#include "editors/associationeditor.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace corvane::ui {

class AssociationDialog final : public QDialog, private AssociationBar {
    Q_OBJECT
public:
    AssociationDialog(AssociationEditor& editor, QWidget* parent);

private:
    void started(int maximum) override;
    void advanced(int value) override;

    AssociationEditor& m_editor;
    QLabel* m_label;
    QComboBox* m_candidates;
    QProgressBar* m_bar;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace corvane::ui
