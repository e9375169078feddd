#include "viewers/PluginFormat.h"

#include <limits>
#include <memory>
#include <vector>

namespace {

// A plug-in that accepted a buffer may use it until exit, so it is never freed
// before then.
std::vector<std::unique_ptr<uint8_t[]>>& KeptBuffers() {
    static std::vector<std::unique_ptr<uint8_t[]>> buffers;
    return buffers;
}

// Plug-ins answer booleans in the lowest 8 bits of a 32-bit value.
bool PluginBool(int32_t value) { return (static_cast<uint32_t>(value) & 0xFFu) != 0; }

template <typename Function>
Function Resolve(QLibrary& library, const char* symbol) {
    return reinterpret_cast<Function>(library.resolve(symbol));
}

}  // namespace

TAbstractFormatPlugin::TAbstractFormatPlugin(const QString& path) : FLibrary(path) {
    if (!FLibrary.load())
        throw EPluginLoadError("Could not load plugin " + path.toStdString());
    FInternalView = Resolve<TPluginInternalView>(FLibrary, "InternalView");
    if (!FInternalView) {
        FLibrary.unload();
        throw EPluginAbort();
    }
    FCanViewFormat = Resolve<TPluginCanViewFormat>(FLibrary, "CanViewFormat");
    FIconIndex = Resolve<TPluginIconIndex>(FLibrary, "IconIndex");
    FFormatDescription = Resolve<TPluginFormatDescription>(FLibrary, "FormatDescription");
}

TAbstractFormatPlugin::~TAbstractFormatPlugin() { FLibrary.unload(); }

bool TAbstractFormatPlugin::View(const std::string& name, TDataBuffer& data) {
    // The export takes a signed 32-bit size; larger entries go to the own viewers.
    if (data.Size > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) return false;
    const bool shown =
        PluginBool(FInternalView(name.c_str(), data.Data.get(), static_cast<int32_t>(data.Size)));
    if (shown) {
        if (data.Data) KeptBuffers().push_back(std::move(data.Data));
        data.Size = 0;
    }
    return shown;
}

bool TAbstractFormatPlugin::CanView(const std::string& extension) {
    return FCanViewFormat ? PluginBool(FCanViewFormat(extension.c_str())) : false;
}

int32_t TAbstractFormatPlugin::GetIconIndex(const std::string& extension) {
    return FIconIndex ? FIconIndex(extension.c_str()) : TAbstractFormat::GetIconIndex(extension);
}

std::string TAbstractFormatPlugin::GetDescription(const std::string& extension) {
    if (!FFormatDescription) return TAbstractFormat::GetDescription(extension);
    const char* text = FFormatDescription(extension.c_str());
    return text ? std::string(text) : std::string();
}

size_t PluginKeptBufferCount() { return KeptBuffers().size(); }
