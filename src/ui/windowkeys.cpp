#include "ui/windowkeys.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace corvane::ui {

namespace {

bool IsPageKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) && others == Qt::ControlModifier;
}

bool IsKeyOf(const QKeyEvent& key, const QAction* action) {
    const QKeyCombination pressed = key.keyCombination();
    for (const QKeySequence& sequence : action->shortcuts())
        if (sequence.count() == 1 && sequence[0] == pressed) return true;
    return false;
}

QLineEdit* TextFieldOf(QObject* object) {
    if (auto* combo = qobject_cast<QComboBox*>(object))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    return qobject_cast<QLineEdit*>(object);
}

} // namespace

WindowKeys::WindowKeys(QWidget* window, std::function<void(int)> turnPage, QAction* undo, QAction* redo)
    : QObject(window)
    , m_window(window)
    , m_turnPage(std::move(turnPage))
    , m_undo(undo)
    , m_redo(redo) {
    qApp->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window) return false;
    const auto& key = *static_cast<QKeyEvent*>(event);

    if (IsPageKey(key)) {
        // The override keeps every shortcut out; the key press turns the page.
        if (override)
            event->accept();
        else
            m_turnPage(key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier) ? -1 : 1);
        return true;
    }
    if (override) {
        // A text field takes Undo and Redo even with nothing to undo: then they are the Edit menu's.
        const QLineEdit* field = TextFieldOf(watched);
        if (field && !field->isReadOnly() &&
            ((IsKeyOf(key, m_undo) && !field->isUndoAvailable()) ||
             (IsKeyOf(key, m_redo) && !field->isRedoAvailable()))) {
            event->ignore();
            return true;
        }
    }
    return false;
}

} // namespace corvane::ui
