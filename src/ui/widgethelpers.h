#pragma once
// Small helpers shared by the pages: set a widget from core text without disturbing what the user
// sees when nothing changed, and build the fixed lists of the editors.

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QComboBox;
class QLineEdit;
class QProgressBar;
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

// Typing into field is one step of the change journal per visit: typed runs before each edit (it
// opens the visit named caption), and leaving the field closes it, then calls left.
void EditsInVisits(QLineEdit* field, EditSteps& steps, const char* caption,
                   const std::function<void()>& left);

// A run's progress (entries done of count) on bar, the window painting now and then meanwhile.
std::function<void(int done, int count)> BarProgress(QProgressBar* bar);

// Names a widget after its control and returns it.
template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace corvane::ui
