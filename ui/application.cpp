#include "application.h"

#include "form1.h"

#include <exception>

namespace dxf2csv {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showMessage(activeWindow(), QStringLiteral("unexpected failure"), QString::fromUtf8(error.what()));
    } catch (...) {
        showMessage(activeWindow(), QStringLiteral("unexpected failure"), QStringLiteral("an unknown error"));
    }
    return false;
}

} // namespace dxf2csv
