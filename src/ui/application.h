#pragma once
// The program's QApplication: when memory runs out in the middle of a command, the command stops
// with a message instead of the program ending; the data a failed load would have replaced stay.

#include <QApplication>

namespace corvane::ui {

class Application final : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace corvane::ui
