// Loading plug-in libraries and the type texts and icons the registry gives.
#include "viewers/FormatRegistry.h"
#include "viewers/ViewDispatch.h"

#include "ViewerTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kCfgView = CFGVIEW_PLUGIN;
const QString kRawProbe = RAWPROBE_PLUGIN;
const QString kNoView = NOVIEW_LIBRARY;
const QString kBlindView = BLINDVIEW_LIBRARY;

struct TTypeCase {
    std::string name;
    std::string description;
    int32_t icon;
};

class PluginLoading : public ::testing::Test {
protected:
    void SetUp() override {
        ClearFormatsForTesting();
        RegisterBuiltinFormats();
    }
    void TearDown() override { ClearFormatsForTesting(); }

    static void ExpectTypes(const std::vector<TTypeCase>& cases) {
        for (const auto& c : cases) {
            EXPECT_EQ(GetFileTypeDescription(c.name), c.description) << c.name;
            EXPECT_EQ(GetFileIconIndex(c.name), c.icon) << c.name;
        }
    }
};

}  // namespace

TEST_F(PluginLoading, BuiltInTypesAndTheFallbackText) {
    EXPECT_EQ(RegisteredFormatCount(), 2u);
    RegisterBuiltinFormats();  // a second call adds nothing
    EXPECT_EQ(RegisteredFormatCount(), 2u);
    ExpectTypes({
        {"picture.bmp", "Bitmap", 8},
        {"map.raw", "Texture", 8},
        {"picture.BMP", "BMP File", 4},
        {"a.b.cfg", "CFG File", 4},
        {"readme", " File", 4},
        {"dir.x\\readme", " File", 4},
        {"c:readme", " File", 4},
        {"name.", " File", 4},
        {"mixed.Tx\xE9", "TX\xE9 File", 4},
    });
}

TEST_F(PluginLoading, LaterPluginWinsAndMissingExportsTakeDefaults) {
    {
        QTemporaryDir dir;
        LoadPlugins(MakePluginFolder(dir, {{kRawProbe, "a_rawprobe.so"}, {kCfgView, "b_cfgview.so"}}));
        EXPECT_EQ(RegisteredFormatCount(), 4u);
        ExpectTypes({
            {"game.cfg", "Game Settings", 5},
            // The probe has neither IconIndex nor FormatDescription.
            {"map.raw", "Unknown", 4},
            {"picture.bmp", "Bitmap", 8},
        });
    }
    ClearFormatsForTesting();
    RegisterBuiltinFormats();
    {
        QTemporaryDir dir;
        LoadPlugins(MakePluginFolder(dir, {{kCfgView, "a_cfgview.so"}, {kRawProbe, "b_rawprobe.so"}}));
        ExpectTypes({{"game.cfg", "Unknown", 4}, {"map.raw", "Unknown", 4}});
    }
}

TEST_F(PluginLoading, SkipsWhatIsNoPluginWithoutComplaint) {
    QTemporaryDir dir;
    MakePluginFolder(dir, {{kNoView, "noview.so"},
                           {kBlindView, "blindview.so"},
                           {kCfgView, "cfgview.so.off"}});
    QFile text(dir.filePath("broken.so"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a library");
    text.close();
    QDir(dir.path()).mkdir("folder.so");

    LoadPlugins(dir.path());

    // Only the library with InternalView is registered; it claims nothing.
    EXPECT_EQ(RegisteredFormatCount(), 3u);
    ExpectTypes({{"picture.bmp", "Bitmap", 8}, {"game.cfg", "CFG File", 4}, {"x.", " File", 4}});
}

TEST_F(PluginLoading, MissingOrEmptyFolderRegistersNothing) {
    LoadPlugins("/nonexistent/plugins/");
    QTemporaryDir dir;
    LoadPlugins(dir.path());
    LoadPlugins(QString());
    EXPECT_EQ(RegisteredFormatCount(), 2u);
}

TEST_F(PluginLoading, BooleansUseOnlyTheLowestEightBits) {
    // The probe answers CanViewFormat with 0x201 / 0x200 and InternalView with 0x100.
    QTemporaryDir dir;
    LoadPlugins(MakePluginFolder(dir, {{kRawProbe, "rawprobe.so"}}));
    EXPECT_EQ(GetFileTypeDescription("map.raw"), "Unknown");
    EXPECT_EQ(GetFileTypeDescription("map.dat"), "DAT File");

    QLibrary probe(dir.filePath("rawprobe.so"));
    auto viewCount = reinterpret_cast<int32_t (*)()>(probe.resolve("ProbeViewCount"));
    ASSERT_NE(viewCount, nullptr);
    const int32_t before = viewCount();
    TDataBuffer buffer = MakeBuffer(MakeTexture(1, 1, 1));
    TAbstractFormat* handler = FindFormat("map.raw");
    ASSERT_NE(handler, nullptr);
    EXPECT_FALSE(handler->View("map.raw", buffer));
    EXPECT_EQ(viewCount(), before + 1);
    EXPECT_NE(buffer.Data, nullptr);
}
