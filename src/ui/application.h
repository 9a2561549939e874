#pragma once
#include <QApplication>
#include <QIcon>

namespace ui {

// The program's QApplication. Its notify() is the last guard of the event
// boundary: an exception a handler let through is reported, not fatal.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The program's icon in all the sizes it is drawn at.
    static QIcon programIcon();
};

}  // namespace ui
