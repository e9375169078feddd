// info: header texts, then one "key: value" line per header field.
#include "CliRunner.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

}  // namespace

TEST_F(CliTest, InfoPrintsHeaderTextsAndFieldsInOrder) {
    TVornPlan plan;
    THeaderPlan& h = plan.Header;
    h.HeaderVersion = 0x00010002;
    const uint16_t product[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(h.ProductVersion, product, sizeof product);
    std::memset(h.MinimumVersion, 0, sizeof h.MinimumVersion);
    h.Priority = 0x00032000;
    h.Flags = 6;
    h.Guid = {0x3F2A9C41, 0x7B1D, 0x4E08, {0x9A, 0x61, 0x0C, 0x55, 0xD2, 0x8E, 0x14, 0xB7}};
    h.IndexCRC32 = 0x5EA1C0DE;
    h.DataCRC32 = 0xFF;
    h.UtcBuildTime = {2002, 5, 5, 31, 13, 4, 5, 60};
    h.Title = u"Valley \x1B[1mbold";
    h.Copyright = u"\u00A9 2004 Ostren";
    h.BuildInfo = u"tools\\build 7";
    h.Description = u"First line\r\nSecond\n\nFourth\x07";
    plan.Root.AddFile("a.txt", "a");
    const TBuiltVorn vorn = BuildVorn(plan);

    const TCliResult r = RunCli({"info", SaveArchive(vorn, "info.kvres")});
    ASSERT_EQ(r.ExitStatus, 0) << r.Err;
    EXPECT_TRUE(r.Err.empty());
    const std::string expected =
        "Title: Valley \\x1B[1mbold\n"
        "Copyright: \xC2\xA9 2004 Ostren\n"
        "Author: \n"
        "Build Info: tools\\\\build 7\n"
        "Description: First line\n"
        "  Second\n"
        "  \n"
        "  Fourth\\x07\n"
        "m_ProductId: Kvrd\n"
        "m_VornId: Vorn\n"
        "m_HeaderVersion: 1.2\n"
        "m_DirSetOffset: " + Hex(vorn.Header.m_DirSetOffset) + "\n"
        "m_FileSetOffset: " + Hex(vorn.Header.m_FileSetOffset) + "\n"
        "m_IndexSize: " + std::to_string(vorn.Header.m_IndexSize) + "\n"
        "m_DataOffset: " + Hex(vorn.Header.m_DataOffset) + "\n"
        "m_ProductVersion: 01.[02].0003.04.0506\n"
        "m_MinimumVersion: 00.[00].0000.00.0000\n"
        "m_Priority: Expansion + 3\n"
        "m_Flags: ALLOW_MULTIPLAYER_XFER; PROTECTED_CONTENT; \n"
        "m_CreatorId: <none>\n"
        "m_GUID: {3F2A9C41-7B1D-4E08-9A61-0C55D28E14B7}\n"
        "m_IndexCRC32: 0x5EA1C0DE\n"
        "m_DataCRC32: 0x000000FF\n"
        "m_UtcBuildTime: 05/31(5)/2002, 13:04:05.60\n";
    EXPECT_EQ(r.Out, expected);
}

TEST_F(CliTest, InfoShowsCreatorAndEmptyFlagWord) {
    TVornPlan plan;
    std::memcpy(plan.Header.CreatorId, "OSTN", 4);
    plan.Header.Flags = 0;
    const TCliResult r = RunCli({"info", SaveArchive(plan)});
    ASSERT_EQ(r.ExitStatus, 0) << r.Err;
    EXPECT_NE(r.Out.find("\nDescription: \nm_ProductId: Kvrd\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\nm_Flags: None\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\nm_CreatorId: OSTN\n"), std::string::npos) << r.Out;
}
