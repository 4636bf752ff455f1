#include "gui/diagnostics/paErrorRedirApplication.h"

#include "core/util/paIError.h"

namespace kelvo {

TErrorRedirector::TErrorRedirector(int& argc, char** argv) : QApplication(argc, argv) {}

bool TErrorRedirector::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        DispatchError(receiver, &e);
    } catch (...) {
        DispatchError(receiver, nullptr);
    }
    return false;
}

} // namespace kelvo
