// Writes the sample archive: a small resource archive of the kind the game
// ships, with every data format, whole and chunked.
// Usage: make_sample OUTPUT.kvres
#include "SampleContent.h"
#include "VornWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

namespace {

uint32_t Bgra(int r, int g, int b, int a = 255) {
    return static_cast<uint32_t>(b) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(r) << 16 |
           static_cast<uint32_t>(a) << 24;
}

uint32_t SplashPixel(int x, int y, int w, int h) {
    // Dusk sky over a dark ridge, with a pale moon.
    const double dx = x - w * 0.72, dy = y - h * 0.3;
    if (dx * dx + dy * dy < 25) return Bgra(235, 230, 200);
    const int ridge = static_cast<int>(h * 0.7 + 4 * std::sin(x * 0.25) + 2 * std::sin(x * 0.9));
    if (y > ridge) return Bgra(20, 30 + y % 3, 25);
    return Bgra(40 + y * 3, 30 + y * 2, 90 + y);
}

uint32_t GrassPixel(int x, int y, int, int) {
    const int n = Noise(x, y, 1) % 40;
    return Bgra(40 + n / 2, 110 + n, 30 + n / 3);
}

uint32_t RockPixel(int x, int y, int, int) {
    const int n = (Noise(x, y, 2) + Noise(x / 4, y / 4, 3)) / 4;
    return Bgra(90 + n, 85 + n, 80 + n);
}

uint32_t CursorPixel(int x, int y, int, int) {
    const bool inside = x <= y && x + y / 2 < 20 && y < 26;
    const bool edge = inside && (x == 0 || x == y || x + y / 2 == 19 || y == 25);
    if (!inside) return Bgra(0, 0, 0, 0);
    return edge ? Bgra(0, 0, 0) : Bgra(240, 220, 150);
}

std::string Repeat(const std::string& line, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += line;
    return out;
}

std::string Dialogue() {
    std::string text = "; Valley of Karvold - English dialogue\r\n";
    const char* speakers[] = {"Maren", "Old Tobin", "Guard", "Innkeeper"};
    const char* lines[] = {"The river road is closed until the thaw.",
                           "You will want a lantern before the mines.",
                           "State your business, traveller.",
                           "A room is two silver, supper included."};
    for (int i = 0; i < 240; ++i)
        text += "DLG_" + std::to_string(1000 + i) + " = \"" + speakers[i % 4] + ": " + lines[(i * 3) % 4] + "\"\r\n";
    return text;
}

TVornPlan SamplePlan() {
    TVornPlan plan;
    THeaderPlan& h = plan.Header;
    h.HeaderVersion = 0x00010002;
    const uint16_t product[6] = {1, 0, 3, 1187, 0, 0}, minimum[6] = {1, 0, 0, 900, 0, 0};
    std::copy_n(product, 6, h.ProductVersion);
    std::copy_n(minimum, 6, h.MinimumVersion);
    h.Priority = 0x00022000;
    h.Flags = 0x2;
    std::copy_n("OSTN", 4, h.CreatorId);
    h.Guid = {0x3F2A9C41, 0x7B1D, 0x4E08, {0x9A, 0x61, 0x0C, 0x55, 0xD2, 0x8E, 0x14, 0xB7}};
    h.IndexCRC32 = 0x5EA1C0DE;
    h.DataCRC32 = 0x0B5E55ED;
    h.UtcBuildTime = {2004, 5, 3, 26, 17, 42, 9, 310};
    h.Title = u"Karvold \u2013 Core Resources";
    h.Copyright = u"\u00A9 2004 Ostren Interactive. All rights reserved.";
    h.Author = u"Ostren Build Team";
    h.BuildInfo = u"Release build 1187 (resources r4312), 26 May 2004";
    h.Description = u"Interface art, terrain textures, configuration, dialogue and the Valley map "
                    u"for Karvold 1.0.3.\r\nInstall into the game's data folder; patches override these files.";

    TEntryPlan& root = plan.Root;
    const uint64_t may = FileTimeOf(2004, 5, 24, 9, 15, 30);
    root.Time(FileTimeOf(2004, 5, 26, 17, 40, 2));
    root.Add("readme.txt", "Karvold core resources\r\n======================\r\n\r\n"
                           "This archive is read by the game at start-up. Do not edit it;\r\n"
                           "place changed files in the patch folder instead.\r\n").Time(may);

    TEntryPlan& config = root.AddDir("config").Time(FileTimeOf(2004, 5, 20, 14, 2, 0));
    config.AddFile("game.cfg", "[General]\r\nLanguage=en\r\nDifficulty=2\r\nAutosave=1\r\n"
                               "AutosaveMinutes=10\r\nStartMap=maps\\valley\\valley.map\r\n" +
                               Repeat("; reserved\r\n", 6)).Zlib(9).Time(FileTimeOf(2004, 5, 20, 14, 1, 44));
    config.AddFile("input.ini", "[Keys]\r\nForward=W\r\nBack=S\r\nLeft=A\r\nRight=D\r\nJump=Space\r\n"
                                "Use=E\r\nInventory=I\r\nMap=M\r\nQuickSave=F5\r\nQuickLoad=F9\r\n\r\n"
                                "[Mouse]\r\nSensitivity=0.65\r\nInvertY=0\r\n").Lzo().Time(FileTimeOf(2004, 5, 18, 11, 30, 10));
    config.AddFile("graphics.ini", "[Display]\r\nWidth=1024\r\nHeight=768\r\nBits=32\r\nFullscreen=1\r\n"
                                   "TextureDetail=2\r\nShadows=1\r\n").Time(FileTimeOf(2004, 5, 18, 11, 28, 54));
    config.AddFile("$autoexec.cfg", "// run at start-up before the menu\r\nexec game.cfg\r\nbind F12 screenshot\r\n")
        .Time(FileTimeOf(2004, 4, 30, 16, 5, 20));

    TEntryPlan& ui = root.Dir("art/ui");
    root.Dir("art").Time(FileTimeOf(2004, 5, 22, 10, 0, 0));
    ui.Time(FileTimeOf(2004, 5, 22, 10, 0, 0));
    ui.AddFile("splash.bmp", MakeBitmap(120, 64, SplashPixel)).Zlib(6).Time(FileTimeOf(2004, 5, 21, 18, 12, 6));
    ui.AddFile("cursor.raw", MakeRawTexture(32, 32, 1, CursorPixel)).Lzo().Time(FileTimeOf(2004, 3, 2, 9, 45, 0));

    TEntryPlan& terrain = root.Dir("art/textures/terrain").Time(FileTimeOf(2004, 5, 12, 8, 30, 0));
    root.Dir("art/textures").Time(FileTimeOf(2004, 5, 12, 8, 30, 0));
    // Mip levels 64, 32 and 16 in 8 KiB chunks; grass noise barely compresses.
    terrain.AddFile("grass.raw", MakeRawTexture(64, 64, 3, GrassPixel)).Zlib(9).Chunked(8192)
        .Time(FileTimeOf(2004, 5, 11, 19, 20, 44));
    TEntryPlan& rock = terrain.AddFile("rock.raw", MakeRawTexture(64, 64, 1, RockPixel)).Lzo().Chunked(4096)
        .Time(FileTimeOf(2004, 5, 11, 19, 22, 8));
    rock.Chunk(3).Extra = 16;

    TEntryPlan& valley = root.Dir("maps/valley").Time(FileTimeOf(2004, 5, 25, 22, 10, 0));
    root.Dir("maps").Time(FileTimeOf(2004, 5, 25, 22, 10, 0));
    TEntryPlan& map = valley.AddFile("valley.map", MakeHeightMap(128, 128)).Zlib(6).Chunked(65536)
        .Time(FileTimeOf(2004, 5, 25, 22, 9, 36));
    map.Chunk(0).Extra = 32;
    valley.AddFile("valley.txt", "Valley of Karvold\r\nA quiet farming valley under the old mines.\r\n"
                                 "Exits: river road (east), mine gate (north).\r\n").Time(FileTimeOf(2004, 5, 25, 22, 4, 12));
    root.Dir("maps").AddFile("valley_old.map", MakeHeightMap(64, 64)).Lzo()
        .WithFlags(FILEFLAG_STRUCK).Time(FileTimeOf(2004, 2, 14, 13, 0, 0));

    TEntryPlan& text = root.AddDir("text").Time(FileTimeOf(2004, 5, 23, 12, 0, 0));
    text.AddFile("dialogue_en.txt", Dialogue()).Lzo().Chunked(4096).Time(FileTimeOf(2004, 5, 23, 11, 58, 40));
    text.AddFile("credits.txt", "Karvold\r\n\r\nDesign: the Ostren team\r\nMusic: Ilse Varga\r\n"
                                "Testing: everyone who played the beta\r\n").Zlib(1).Chunked(65536)
        .Time(FileTimeOf(2004, 5, 23, 11, 50, 0));
    text.AddFile("Caf\xE9 menu.txt", "Soup of the day\r\nBread and cheese\r\nCider\r\n").Time(FileTimeOf(2004, 5, 2, 15, 16, 18));

    root.AddDir("saves").Time(FileTimeOf(2004, 5, 26, 17, 40, 0));
    return plan;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT\n");
        return 2;
    }
    try {
        BuildVorn(SamplePlan()).Save(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
