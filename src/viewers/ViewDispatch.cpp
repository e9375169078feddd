#include "viewers/ViewDispatch.h"

#include "app/NameDecoding.h"
#include "viewers/FormHexViewer.h"
#include "viewers/FormTextViewer.h"
#include "viewers/FormatRegistry.h"
#include "viewers/PluginFormat.h"
#include "viewers/ViewerWindow.h"

#include <QDir>

#include <algorithm>
#include <memory>

namespace {
constexpr uint32_t kTextTestLength = 1024;
}

void LoadPlugins(const QString& folder) {
    const QDir dir(folder);
    const QStringList items =
        dir.entryList({QStringLiteral("*.so")},
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDir::Name);
    for (const QString& item : items) {
        try {
            RegisterFormat(std::make_unique<TAbstractFormatPlugin>(dir.filePath(item)));
        } catch (...) {
            // A library that fails to load or is not a plug-in is skipped silently.
        }
    }
}

bool IsTextData(const uint8_t* data, uint32_t size) {
    if (size == 0) return false;
    const uint32_t examined = std::min(size, kTextTestLength);
    for (uint32_t i = 0; i < examined; ++i) {
        const uint8_t byte = data[i];
        if (byte < 32 && byte != 9 && byte != 10 && byte != 13) return false;
    }
    return true;
}

bool ViewAsText(const std::string& name, TDataBuffer& data) {
    try {
        auto window = std::make_unique<TfrmViewerText>();
        PrepareViewerWindow(window.get());
        window->LoadData(data.Data.get(), data.Size);
        window->setWindowTitle(DecodeArchiveText(name) + QStringLiteral(" - Text Viewer"));
        data = TDataBuffer();
        CenterOverMainWindow(window.get());
        window.release()->show();
    } catch (...) {
        // The window is gone with its unique_ptr; nothing is shown.
    }
    data = TDataBuffer();
    return true;
}

bool ViewAsHex(const std::string& name, TDataBuffer& data) {
    try {
        auto window = std::make_unique<TfrmViewerHex>();
        PrepareViewerWindow(window.get());
        window->SetData(std::move(data), DecodeArchiveText(name));
        CenterOverMainWindow(window.get());
        window.release()->show();
    } catch (...) {
        // The window and the buffer it took are gone; nothing is shown.
    }
    return true;
}

bool ViewFile(const std::string& name, TDataBuffer& data) {
    bool shown = false;
    if (TAbstractFormat* handler = FindFormat(name)) shown = handler->View(name, data);
    if (!shown && IsTextData(data.Data.get(), data.Size)) shown = ViewAsText(name, data);
    if (!shown) shown = ViewAsHex(name, data);
    return shown;
}
