// The window program's top level: an exception that leaves an event handler becomes a message
// and the program goes on.

#include "application.h"
#include "form1.h"

#include <QEvent>
#include <QtTest>

#include <stdexcept>

namespace {

/// An object whose event handler throws the first time it runs. The exception leaves through
/// QApplication::notify only, with no widget machinery in between: Qt's own code is not
/// exception-safe, so a handler of ours must never let one cross it.
class ThrowingObject : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (++handled == 1) throw std::runtime_error("handler broke");
        return true;
    }
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void exceptionLeavingAHandlerIsReportedAndTheProgramGoesOn() {
        QStringList messages;
        dxf2csv::setMessageHook([&](const dxf2csv::Message& message) {
            messages << QString::fromStdString(message.title + ": " + message.text);
        });
        ThrowingObject object;
        QEvent first(QEvent::User);
        QCoreApplication::sendEvent(&object, &first);
        QCOMPARE(messages, QStringList{QString::fromUtf8("予期しない失敗です: handler broke")});
        QEvent second(QEvent::User);
        QCoreApplication::sendEvent(&object, &second);
        QCOMPARE(object.handled, 2);
        QCOMPARE(messages.size(), 1);
    }
};

int main(int argc, char** argv) {
    dxf2csv::Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
