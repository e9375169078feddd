#include "ui/PelloryApplication.h"

#include "ui/ErrorBox.h"

#include <exception>

TPelloryApplication::TPelloryApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Pellory2"));
    setApplicationVersion(QStringLiteral(PELLORY_VERSION));
}

bool TPelloryApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(ExceptionText(error));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unknown error"));
    }
    return false;
}
