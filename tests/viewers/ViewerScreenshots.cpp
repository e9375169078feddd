// Opens each viewer through the dispatch with sample entries and saves a
// picture of every window, for looking at the viewers on a real X display:
//   xvfb-run -s "-screen 0 1280x1024x24" viewer_screenshots <out-dir> <plugin-dir>
#include "viewers/FormatRegistry.h"
#include "viewers/ViewDispatch.h"

#include "ViewerTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

std::string SampleBinary() {
    std::string bytes = "RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00";
    bytes += std::string("\x22\x56\x00\x00\x44\xAC\x00\x00\x02\x00\x10\x00data", 16);
    uint32_t seed = 12345;
    while (bytes.size() < 4096) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(char(seed >> 16));
    }
    return bytes;
}

std::string SampleText() {
    return "// intro.scr: opening scene of the first chapter\r\n"
           "scene \"harbour\" {\r\n"
           "\tcamera pan from (12, 40) to (96, 40) over 8s\r\n"
           "\tplay music \"sea_theme\" loop\r\n"
           "\tsay narrator \"The ships came back at dawn, fewer than had left.\"\r\n"
           "\twait 2s\r\n"
           "}\r\n\r\n"
           "A very long line that keeps going to show that the text viewer wraps long lines at "
           "the right edge of its window instead of scrolling sideways, as a script's comments "
           "often run on.\n"
           "Unix line end above, Macintosh line end below.\r"
           "caf\xC3\xA9 cr\xC3\xA8me \xE2\x80\x94 UTF-8 text\r\n";
}

// A 192 x 128 texture: a colour gradient with a red first stored row.
std::string SampleTexture() {
    const int width = 192, height = 128;
    std::string bytes = MakeTexture(1, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* pixel = &bytes[16 + (y * width + x) * 4];
            const bool bottom = y < 3;
            pixel[0] = char(bottom ? 0 : 255 - x);  // blue
            pixel[1] = char(bottom ? 0 : y * 2);    // green
            pixel[2] = char(bottom ? 255 : x);      // red
            pixel[3] = char(x % 2 ? 0 : 255);       // alpha, ignored
        }
    return bytes;
}

std::string SampleBitmap() {
    QImage picture(240, 90, QImage::Format_RGB32);
    picture.fill(QColor(30, 60, 110));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(QFont("DejaVu Sans", 20, QFont::Bold));
    painter.drawText(picture.rect(), Qt::AlignCenter, "KARVOLD");
    painter.fillRect(0, 80, 240, 10, QColor(200, 160, 40));
    return MakeBitmapFile(picture);
}

void ViewAndSave(const std::string& name, const std::string& bytes, const QString& file) {
    const QList<QWidget*> before = VisibleWindows();
    TDataBuffer buffer = MakeBuffer(bytes);
    ViewFile(name, buffer);
    for (QWidget* window : VisibleWindows()) {
        if (before.contains(window)) continue;
        if (!QTest::qWaitForWindowExposed(window)) std::printf("%s: not exposed\n", name.c_str());
        QTest::qWait(300);
        const bool saved = window->grab().save(file);
        std::printf("%s: %s -> %s\n", name.c_str(), qPrintable(window->windowTitle()),
                    saved ? qPrintable(file) : "not saved");
        window->close();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? argv[1] : ".");
    RegisterBuiltinFormats();
    if (argc > 2) LoadPlugins(argv[2]);

    ViewAndSave("sound\\click.wav", SampleBinary(), out.filePath("viewer-hex.png"));
    ViewAndSave("intro.scr", SampleText(), out.filePath("viewer-text.png"));
    ViewAndSave("harbour.raw", SampleTexture(), out.filePath("viewer-texture.png"));
    ViewAndSave("logo.bmp", SampleBitmap(), out.filePath("viewer-bitmap.png"));
    ViewAndSave("game.cfg", "[video]\nwidth = 1024\nheight = 768\nfullscreen = yes\n[sound]\nvolume = 80\n",
                out.filePath("viewer-plugin.png"));
    return 0;
}
