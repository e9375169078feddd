// Which viewer an entry opens in, with the built-in handlers and plug-ins.
#include "viewers/FormatRegistry.h"
#include "viewers/PluginFormat.h"
#include "viewers/ViewDispatch.h"

#include "ViewerTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kCfgView = CFGVIEW_PLUGIN;
const QString kRawProbe = RAWPROBE_PLUGIN;

QImage Filled(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    return picture;
}

std::string TextWithByteAt(size_t size, size_t at, char byte) {
    std::string text(size, 'x');
    text[at] = byte;
    return text;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        CloseAllWindows();
        ClearFormatsForTesting();
        RegisterBuiltinFormats();
    }
    void TearDown() override {
        CloseAllWindows();
        ClearFormatsForTesting();
    }

    // Views the entry and returns the one window that opened for it.
    QWidget* View(const std::string& name, const std::string& bytes) {
        const QList<QWidget*> before = VisibleWindows();
        TDataBuffer buffer = MakeBuffer(bytes);
        EXPECT_TRUE(ViewFile(name, buffer)) << name;
        EXPECT_EQ(buffer.Data, nullptr) << name << ": the viewer takes the buffer";
        QList<QWidget*> opened;
        for (QWidget* window : VisibleWindows())
            if (!before.contains(window)) opened.append(window);
        EXPECT_EQ(opened.size(), 1) << name;
        return opened.value(0);
    }
};

}  // namespace

TEST_F(Dispatch, ChoosesHandlerThenTextThenHex) {
    const std::string bitmap = MakeBitmapFile(Filled(8, 4));
    const std::string texture = MakeTexture(1, 4, 2, 0xFF00FF00);
    const struct {
        const char* what;
        std::string name;
        std::string bytes;
        QString kind;
        QString caption;
    } cases[] = {
        {"bitmap", "picture.bmp", bitmap, "image", "picture.bmp - Image Viewer"},
        {"upper-case extension is no bitmap", "picture.BMP", bitmap, "hex", "picture.BMP - Hex Viewer"},
        {"bitmap the reader rejects, as text", "broken.bmp", "not a bitmap", "text",
         "broken.bmp - Text Viewer"},
        {"texture", "map.raw", texture, "image", "map.raw - Image Viewer"},
        {"texture without signature, as text", "notes.raw", "plain words", "text",
         "notes.raw - Text Viewer"},
        {"binary texture without signature", "junk.raw", std::string("\x01\x02\x03\x04", 4), "hex",
         "junk.raw - Hex Viewer"},
        {"texture cut short", "short.raw", texture.substr(0, texture.size() - 4), "hex",
         "short.raw - Hex Viewer"},
        {"text", "notes.cfg", "key = value\r\n\tindented\n", "text", "notes.cfg - Text Viewer"},
        {"NUL among the first 1024 bytes", "notes.cfg", TextWithByteAt(2000, 1023, '\0'), "hex",
         "notes.cfg - Hex Viewer"},
        {"NUL only at byte 1025", "notes.cfg", TextWithByteAt(2000, 1024, '\0'), "text",
         "notes.cfg - Text Viewer"},
        {"empty entry", "empty.cfg", "", "hex", "empty.cfg - Hex Viewer"},
        {"no extension", "readme", "hello", "text", "readme - Text Viewer"},
        {"Windows-1252 name", "caf\xE9.txt", "x", "text", QString::fromUtf8("caf\xC3\xA9.txt - Text Viewer")},
    };
    for (const auto& c : cases) {
        QWidget* window = View(c.name, c.bytes);
        ASSERT_NE(window, nullptr) << c.what;
        EXPECT_EQ(ViewerKind(window), c.kind) << c.what;
        EXPECT_EQ(window->windowTitle(), c.caption) << c.what;
        EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose)) << c.what;
    }
}

TEST_F(Dispatch, PluginsTakePrecedenceAndDecliningSkipsTheBuiltInHandler) {
    QTemporaryDir dir;
    LoadPlugins(MakePluginFolder(dir, {{kCfgView, "a_cfgview.so"}, {kRawProbe, "b_rawprobe.so"}}));
    const std::string texture = MakeTexture(1, 4, 2);
    const struct {
        const char* what;
        std::string name;
        std::string bytes;
        QString kind;
    } cases[] = {
        // rawprobe claims ".raw" and ".cfg" but never shows anything: the
        // entry goes on to the text test, not to another handler.
        {"valid texture declined by the probe", "map.raw", texture, "hex"},
        {"settings declined by the later-loaded probe", "game.cfg", "speed = 3\n", "text"},
        {"bitmap still built in", "pic.bmp", MakeBitmapFile(Filled(2, 2)),
         "image"},
    };
    for (const auto& c : cases) {
        QWidget* window = View(c.name, c.bytes);
        ASSERT_NE(window, nullptr) << c.what;
        EXPECT_EQ(ViewerKind(window), c.kind) << c.what;
    }
}

TEST_F(Dispatch, AcceptedBufferIsKeptForThePlugin) {
    QTemporaryDir dir;
    LoadPlugins(MakePluginFolder(dir, {{kCfgView, "cfgview.so"}}));
    const size_t keptBefore = PluginKeptBufferCount();

    QWidget* window = View("game.cfg", "[video]\nwidth = 800\nheight = 600\n");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ViewerKind(window), "settings");
    EXPECT_EQ(window->windowTitle(), "game.cfg - Settings Viewer");
    EXPECT_EQ(PluginKeptBufferCount(), keptBefore + 1);

    // Declined data is passed on untouched and not kept.
    window = View("notes.cfg", "this is prose, not settings");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ViewerKind(window), "text");
    EXPECT_EQ(PluginKeptBufferCount(), keptBefore + 1);
}

namespace {
// A handler whose View fails, like a faulty plug-in.
class TThrowingFormat : public TAbstractFormat {
public:
    bool View(const std::string&, TDataBuffer&) override { throw std::runtime_error("broken"); }
    bool CanView(const std::string& extension) override { return extension == ".bad"; }
};
}  // namespace

TEST_F(Dispatch, HandlerErrorEndsTheDispatchWithoutAViewer) {
    RegisterFormat(std::make_unique<TThrowingFormat>());
    const QList<QWidget*> before = VisibleWindows();
    TDataBuffer buffer = MakeBuffer("text that would pass the text test");
    EXPECT_THROW(ViewFile("x.bad", buffer), std::runtime_error);
    EXPECT_NE(buffer.Data, nullptr);
    EXPECT_EQ(VisibleWindows(), before);
}
