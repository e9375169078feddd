#include "ui/ErrorBox.h"

#include "app/ErrorText.h"
#include "app/NameDecoding.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace {
std::function<void(const QString&)>& Handler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

void ShowBox(const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Pellory2"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
}  // namespace

void ShowErrorBox(const QString& message) { ShowBox(WithFullStop(message)); }

void ShowMessageBox(const QString& message) { ShowBox(message); }

void ShowOpenFailedBox(const QString& path, const QString& reason) {
    ShowBox(QStringLiteral("Can't open file %1.\nReason: %2").arg(path, reason));
}

void SetErrorBoxHandler(std::function<void(const QString&)> handler) { Handler() = std::move(handler); }

QString ExceptionText(const std::exception& error) { return DecodeArchiveText(error.what()); }
