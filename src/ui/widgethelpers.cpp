#include "ui/widgethelpers.h"

#include "editors/editsteps.h"
#include "schedule/weektime.h"
#include "traffic/prompts.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <algorithm>

namespace corvane::ui {

void EditsInVisits(QLineEdit* field, EditSteps& steps, const char* caption,
                   const std::function<void()>& left) {
    QObject::connect(field, &QLineEdit::textEdited, field, [&steps, caption] { steps.fieldEdited(caption); });
    QObject::connect(field, &QLineEdit::editingFinished, field, [&steps, left] {
        steps.closeVisit();
        left();
    });
}

bool TypedBytes(const QString& text, std::string& bytes, Prompts& prompts) {
    QChar refused;
    if (auto converted = FromDisplay(text, &refused)) {
        bytes = std::move(*converted);
        return true;
    }
    prompts.message(RefusedCharacterTitle().toStdString(), RefusedCharacterText(refused), Icon::Exclamation);
    return false;
}

void SetText(QLineEdit* field, std::string_view bytes) {
    const QString text = ToDisplay(bytes);
    if (field->text() != text) field->setText(text);
}

void SetComboText(QComboBox* combo, std::string_view bytes) {
    const QString text = ToDisplay(bytes);
    if (combo->currentText() != text) combo->setEditText(text);
}

namespace {

class EnterFilter final : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> action)
        : QObject(parent)
        , m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};

} // namespace

void OnEnter(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new EnterFilter(widget, std::move(action)));
}

void FillDays(QComboBox* combo) {
    for (std::string_view day : kDayNames) combo->addItem(ToDisplay(day));
}

void FillZones(QComboBox* combo, bool blankAfterSign) {
    for (int zone = 0; zone < kZoneCount; ++zone) combo->addItem(ToDisplay(ZoneText(zone, blankAfterSign)));
}

void FillRepeatPeriods(QComboBox* combo) {
    for (std::string_view period : kRepeatPeriods) combo->addItem(ToDisplay(period));
}

std::function<void(int, int)> BarProgress(QProgressBar* bar) {
    return [bar](int done, int count) {
        bar->setMaximum(std::max(1, count));
        bar->setValue(done);
        if (done % 1000 == 0) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace corvane::ui
