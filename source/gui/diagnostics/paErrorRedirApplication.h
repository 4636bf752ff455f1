#pragma once

#include <QApplication>

namespace kelvo {

// The application object of the desktop program: an exception that reaches the event loop
// goes to DispatchError (and so to the error report) instead of ending the program.
class TErrorRedirector : public QApplication {
    Q_OBJECT
public:
    TErrorRedirector(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kelvo
