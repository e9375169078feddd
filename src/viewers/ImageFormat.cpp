#include "viewers/ImageFormat.h"

// The extension is compared as an exact, case-sensitive byte string.
bool TBitmapFormat::CanView(const std::string& extension) { return extension == ".bmp"; }
int32_t TBitmapFormat::GetIconIndex(const std::string&) { return 8; }
std::string TBitmapFormat::GetDescription(const std::string&) { return "Bitmap"; }
bool TBitmapFormat::View(const std::string&, TDataBuffer&) { return false; }  // image window: viewers work

bool TRawFormat::CanView(const std::string& extension) { return extension == ".raw"; }
int32_t TRawFormat::GetIconIndex(const std::string&) { return 8; }
std::string TRawFormat::GetDescription(const std::string&) { return "Texture"; }
bool TRawFormat::View(const std::string&, TDataBuffer&) { return false; }  // image window: viewers work

void RegisterBuiltinFormats() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterFormat(std::make_unique<TBitmapFormat>());
    RegisterFormat(std::make_unique<TRawFormat>());
}
