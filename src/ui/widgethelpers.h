#pragma once
// Small helpers shared by the pages: set a widget from core text without disturbing what the user
// sees when nothing changed, and build the fixed lists of the editors.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QComboBox;
class QImage;
class QLineEdit;
class QProgressBar;
class QTreeView;
class QWidget;

namespace corvane {
class EditSteps;
class Prompts;
class SortedList;
} // namespace corvane

namespace corvane::ui {

class SortedListModel;

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

// An airport box (aptCom, depCom, desCom): an editable combo over the shared list of codes whose typing
// is the editor's type-ahead, not the combo's.
QComboBox* AirportCombo(const char* name, SortedListModel* codes, QWidget* parent);
// Sets an airport box to code. When the list holds exactly that code, the combo is put on its entry
// too: an editable combo whose text matches an entry other than its current one takes leaving the field
// for a choice of that entry, which would store the leg again (and propose its arrival anew) or list
// the airport again, when the user only tabbed through.
void SetAirportCombo(QComboBox* combo, const SortedList& codes, const std::string& code);
// A list of rows (flightsLst, legsLst): one row chosen at a time, whole rows selected, not editable; a
// cell cut short shows its text when hovered, Copy copies the selected rows.
QTreeView* List(const char* name, QWidget* parent);
// Makes row (-1 for none) the current and selected row, scrolled into view.
void SelectRow(QTreeView* list, int row);

// The PNG file of a picture, or nullopt when it cannot be made (for the image exports).
std::optional<std::string> PngBytes(const QImage& picture);

// A run's progress (entries done of count) on bar, the window painting now and then meanwhile.
std::function<void(int done, int count)> BarProgress(QProgressBar* bar);

// Names a widget after its control and returns it.
template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace corvane::ui
