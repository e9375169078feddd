#include "viewers/ImageFormat.h"

#include "app/NameDecoding.h"
#include "viewers/ImageFormatForm.h"
#include "viewers/RawTexture.h"
#include "viewers/ViewerWindow.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace {

// Opens an image window on `picture`; the window owns itself from then on.
void ShowPicture(const QImage& picture, const std::string& name) {
    auto* window = new TForm1;
    PrepareViewerWindow(window);
    window->SetPicture(picture, DecodeArchiveText(name));
    CenterOverMainWindow(window);
    window->show();
}

}  // namespace

// The extension is compared as an exact, case-sensitive byte string.
bool TBitmapFormat::CanView(const std::string& extension) { return extension == ".bmp"; }
int32_t TBitmapFormat::GetIconIndex(const std::string&) { return 8; }
std::string TBitmapFormat::GetDescription(const std::string&) { return "Bitmap"; }

// A bitmap the reader rejects answers false, so the entry falls through to the
// text or hex viewer like a bad texture does.
bool TBitmapFormat::View(const std::string& name, TDataBuffer& data) {
    // Read-only stream over the buffer, which stays ours until the picture is built.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.Data.get()),
                                                     qsizetype(data.Size));
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    QImageReader reader(&stream, "bmp");
    const QImage picture = reader.read();
    stream.close();
    if (picture.isNull()) return false;
    ShowPicture(picture, name);
    data = TDataBuffer();
    return true;
}

bool TRawFormat::CanView(const std::string& extension) { return extension == ".raw"; }
int32_t TRawFormat::GetIconIndex(const std::string&) { return 8; }
std::string TRawFormat::GetDescription(const std::string&) { return "Texture"; }

// Every failure of the texture checks answers false and leaves the buffer alone.
bool TRawFormat::View(const std::string& name, TDataBuffer& data) {
    try {
        const QImage picture = DecodeRawTexture(data.Data.get(), data.Size);
        ShowPicture(picture, name);
    } catch (...) {
        return false;
    }
    data = TDataBuffer();
    return true;
}

void RegisterBuiltinFormats() {
    // The built-ins come first; a registry holding anything has them already.
    if (RegisteredFormatCount() != 0) return;
    RegisterFormat(std::make_unique<TBitmapFormat>());
    RegisterFormat(std::make_unique<TRawFormat>());
}
