#include "application.h"

#include "form1.h"
#include "message_hook.h"

#include <exception>

namespace dxf2csv {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showMessage(failureMessage(std::current_exception()),
                    [this](const Message& message) { showMessageBox(activeWindow(), message); });
    }
    return false;
}

} // namespace dxf2csv
