#include "ui/widgethelpers.h"

#include "editors/editsteps.h"
#include "schedule/weektime.h"
#include "traffic/prompts.h"
#include "traffic/sortedlist.h"
#include "ui/elidedtips.h"
#include "ui/sortedlistmodel.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QTreeView>
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
    ShowCutTextInTooltips(list);
    CopiesRows(list);
    return list;
}

void SetAirportCombo(QComboBox* combo, const SortedList& codes, const std::string& code) {
    const int index = codes.indexOf(code);
    if (index >= 0 && codes.entry(index) == code && combo->currentIndex() != index)
        combo->setCurrentIndex(index);
    SetComboText(combo, code);
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

// Keys that a widget gives to an action of its own, before the widget's own handling and before any
// shortcut of the window (their ShortcutOverride is taken).
class KeyFilter final : public QObject {
public:
    KeyFilter(QObject* parent, std::function<bool(const QKeyEvent&)> matches, std::function<void()> action)
        : QObject(parent)
        , m_matches(std::move(matches))
        , m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
        if (!m_matches(*static_cast<QKeyEvent*>(event))) return false;
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        else
            m_action();
        return true;
    }

private:
    std::function<bool(const QKeyEvent&)> m_matches;
    std::function<void()> m_action;
};

void OnKey(QWidget* widget, std::function<bool(const QKeyEvent&)> matches, std::function<void()> action) {
    widget->installEventFilter(new KeyFilter(widget, std::move(matches), std::move(action)));
}

QString Cell(QString text) {
    // One cell stays one cell of the pasted table.
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}

} // namespace

void OnEnter(QWidget* widget, std::function<void()> action) {
    OnKey(
        widget,
        [](const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; },
        std::move(action));
}

void ClearOnEscape(QLineEdit* field, std::function<void()> cleared) {
    OnKey(
        field,
        [field](const QKeyEvent& key) { return key.key() == Qt::Key_Escape && !field->text().isEmpty(); },
        [field, cleared = std::move(cleared)] {
            field->clear();
            if (cleared) cleared();
        });
}

QString SelectedRowsText(const QTreeView* list) {
    const QAbstractItemModel* model = list->model();
    const QHeaderView* header = list->header();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        if (const int column = header->logicalIndex(visual); !list->isColumnHidden(column)) columns << column;
    QList<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        if (!rows.contains(index.row())) rows << index.row();
    if (rows.isEmpty() && list->currentIndex().isValid()) rows << list->currentIndex().row();
    if (rows.isEmpty()) return {};
    std::sort(rows.begin(), rows.end());

    QStringList lines;
    QStringList cells;
    if (!list->isHeaderHidden()) {
        for (int column : columns) cells << Cell(model->headerData(column, Qt::Horizontal).toString());
        lines << cells.join(u'\t');
    }
    for (int row : rows) {
        cells.clear();
        for (int column : columns) cells << Cell(model->index(row, column).data().toString());
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void CopiesRows(QTreeView* list) {
    OnKey(
        list, [](const QKeyEvent& key) { return key.matches(QKeySequence::Copy); },
        [list] {
            if (const QString rows = SelectedRowsText(list); !rows.isEmpty())
                QGuiApplication::clipboard()->setText(rows);
        });
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
