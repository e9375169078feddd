// The application object: no exception ever leaves an event handler into Qt;
// each one caught here is shown in the "Pellory2" error box and the program
// goes on.
#pragma once

#include <QApplication>

class TPelloryApplication : public QApplication {
public:
    TPelloryApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
