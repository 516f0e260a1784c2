// dxf2csv-gui: the window program. A failure that leaves an event handler is reported here
// and the window stays up; only a window that cannot be created ends the program.

#include "application.h"
#include "form1.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    dxf2csv::Application app(argc, argv);
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
