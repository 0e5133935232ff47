#include "ui/application.h"

#include <QMessageBox>
#include <new>

namespace corvane::ui {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        QMessageBox::warning(activeWindow(), QStringLiteral("Error reading file"),
                             QStringLiteral("There is not enough memory to go on: the command was stopped."));
        return false;
    }
}

} // namespace corvane::ui
