#include "ui/widgethelpers.h"

#include "editors/editsteps.h"
#include "schedule/weektime.h"
#include "traffic/prompts.h"
#include "ui/sortedlistmodel.h"
#include "ui/textcodec.h"

#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>

namespace corvane::ui {

void EditsInVisits(QLineEdit* field, EditSteps& steps, const char* caption, const std::function<void()>& left) {
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

QComboBox* AirportCombo(const char* name, SortedListModel* codes, QWidget* parent) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr); // typing is the editor's type-ahead, not the combo's
    combo->setModel(codes);
    // Tens of thousands of codes: never measure them all.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    if (auto* view = qobject_cast<QListView*>(combo->view())) view->setUniformItemSizes(true);
    return combo;
}

QTreeView* List(const char* name, QWidget* parent) {
    auto* list = Named(new QTreeView(parent), name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

void SelectRow(QTreeView* list, int row) {
    const QModelIndex wanted = row < 0 ? QModelIndex() : list->model()->index(row, 0);
    if (list->currentIndex().row() == row && (row < 0 || list->selectionModel()->isSelected(wanted))) return;
    list->selectionModel()->setCurrentIndex(wanted,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (wanted.isValid()) list->scrollTo(wanted);
}

std::optional<std::string> PngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes.toStdString();
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

} // namespace corvane::ui
