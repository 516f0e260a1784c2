// The window program's top level: an exception that leaves a handler becomes a message and
// the program goes on.

#include "application.h"
#include "form1.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void exceptionLeavingAHandlerIsReportedAndTheProgramGoesOn() {
        QStringList messages;
        dxf2csv::setMessageHook([&](QWidget*, const QString& title, const QString& text) {
            messages << title + ": " + text;
        });
        QPushButton button;
        int pressed = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] {
            if (++pressed == 1) throw std::runtime_error("handler broke");
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(messages, QStringList{"unexpected failure: handler broke"});
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(pressed, 2);
        QCOMPARE(messages.size(), 1);
    }
};

int main(int argc, char** argv) {
    dxf2csv::Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
