// A format handler backed by a plug-in library and its four exports.
#pragma once

#include "viewers/FormatRegistry.h"

#include "pellory/plugin.h"

#include <QLibrary>
#include <QString>

#include <stdexcept>

// The library could not be loaded: "Could not load plugin <path>".
class EPluginLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The library is not a plug-in (no "InternalView"); refused without a message.
class EPluginAbort : public std::exception {};

class TAbstractFormatPlugin : public TAbstractFormat {
public:
    // Loads the library; raises EPluginLoadError or EPluginAbort, leaving it unloaded.
    explicit TAbstractFormatPlugin(const QString& path);
    ~TAbstractFormatPlugin() override;

    bool View(const std::string& name, TDataBuffer& data) override;
    bool CanView(const std::string& extension) override;
    int32_t GetIconIndex(const std::string& extension) override;
    std::string GetDescription(const std::string& extension) override;

private:
    QLibrary FLibrary;
    TPluginInternalView FInternalView = nullptr;
    TPluginCanViewFormat FCanViewFormat = nullptr;
    TPluginIconIndex FIconIndex = nullptr;
    TPluginFormatDescription FFormatDescription = nullptr;
};

// Buffers accepted by plug-ins; they stay valid until the program ends.
size_t PluginKeptBufferCount();
