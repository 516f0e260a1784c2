#pragma once
// The window program's top level: an exception that leaves an event handler is reported in a
// message box (through the same hook as every other message) and the program goes on.

#include <QApplication>

namespace dxf2csv {

class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace dxf2csv
