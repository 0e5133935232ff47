#pragma once
// Small helpers shared by the pages: set a widget from core text without disturbing what the user
// sees when nothing changed, and build the fixed lists of the editors.

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QComboBox;
class QLineEdit;
class QTreeView;
class QWidget;

namespace corvane {
class EditSteps;
class Prompts;
} // namespace corvane

namespace corvane::ui {

// Text typed into a widget as the core's bytes; a character that has no byte is refused with a
// message (false).
bool TypedBytes(const QString& text, std::string& bytes, Prompts& prompts);

// Sets the text only when it differs, so that the caret stays where the user left it.
void SetText(QLineEdit* field, std::string_view bytes);
void SetComboText(QComboBox* combo, std::string_view bytes);
// A combo of fixed items: the day names, the 25 zones ("-12".."GMT".."+12", with a blank after the sign
// for arrivals), the repeat periods.
void FillDays(QComboBox* combo);
void FillZones(QComboBox* combo, bool blankAfterSign);
void FillRepeatPeriods(QComboBox* combo);
// Calls action when Return or Enter is pressed in widget, instead of the widget's own handling (an
// editable combo would otherwise also pick the matching item).
void OnEnter(QWidget* widget, std::function<void()> action);
// Esc in a search field that holds text empties it, then calls cleared (for a field bound to
// textEdited, which clearing does not emit).
void ClearOnEscape(QLineEdit* field, std::function<void()> cleared = {});
// Copy (Ctrl+C) in the list puts its selected rows on the clipboard as tab-separated text, the
// header first (when the list shows one): what a spreadsheet or a message takes.
void CopiesRows(QTreeView* list);
// The selected rows of list as Copy puts them on the clipboard (the current row when none is
// selected, nothing without one); only the columns shown, in the order shown.
QString SelectedRowsText(const QTreeView* list);

// Typing into field is one step of the change journal per visit: typed runs before each edit (it
// opens the visit named caption), and leaving the field closes it, then calls left.
void EditsInVisits(QLineEdit* field, EditSteps& steps, const char* caption,
                   const std::function<void()>& left);

// Names a widget after its control and returns it.
template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace corvane::ui
