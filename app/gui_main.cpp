// dxf2csv-gui: the window program. A failure that leaves an event handler is reported here
// and the window stays up; only a window that cannot be created ends the program.

#include "form1.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <exception>
#include <iostream>

namespace {

class Application : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            dxf2csv::showMessage(activeWindow(), QStringLiteral("unexpected failure"), QString::fromUtf8(error.what()));
        } catch (...) {
            dxf2csv::showMessage(activeWindow(), QStringLiteral("unexpected failure"), QStringLiteral("unknown error"));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    // --screenshot FILE: save a picture of the window once it is shown, then end (for docs/).
    const QStringList args = QCoreApplication::arguments();
    const qsizetype shot = args.indexOf("--screenshot");
    try {
        dxf2csv::Form1 window;
        window.show();
        if (shot > 0 && shot + 1 < args.size()) {
            QTimer::singleShot(1500, &window, [&window, file = args[shot + 1]] {
                const bool saved = window.screen()->grabWindow(window.winId()).save(file);
                QCoreApplication::exit(saved ? 0 : 1);
            });
        }
        return app.exec();
    } catch (const std::exception& error) {
        std::cerr << "dxf2csv-gui: cannot create the window: " << error.what() << '\n';
        return 1;
    }
}
