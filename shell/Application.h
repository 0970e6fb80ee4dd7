#pragma once
// The programs' application object. Every window's command handles its own
// errors and shows its own message; this is the last net under them: an error
// that a handler still lets out is shown in a message box, never passed on
// through the event loop, which cannot carry it and would end the program.
#include <QApplication>
#include <functional>

namespace shell {

// Runs deliver (the delivery of one event) and returns its result; an error
// that comes out of it is shown with its description in a message box, and
// the event counts as not handled.
bool deliverWithNet(const std::function<bool()>& deliver);

class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace shell
