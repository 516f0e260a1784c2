#include "application.h"

#include "form1.h"
#include "messages/messages.h"

#include <exception>

namespace dxf2csv {
namespace {

QString unexpected() {
    const std::string_view kind = kindName(FailureKind::Unexpected, Language::Japanese);
    return QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size()));
}

} // namespace

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showMessage(activeWindow(), unexpected(), QString::fromUtf8(error.what()));
    } catch (...) {
        showMessage(activeWindow(), unexpected(), QString());
    }
    return false;
}

} // namespace dxf2csv
