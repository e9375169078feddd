// Names in archives are bytes: valid UTF-8 is kept, anything else is read as
// Windows-1252.
#include "app/NameDecoding.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

TEST(NameDecoding, TakesValidUtf8AsUtf8) {
    struct Case { std::string bytes; QString text; };
    for (const Case& c : {
             Case{"", QString()},
             Case{"plain.txt", QStringLiteral("plain.txt")},
             Case{"caf\xC3\xA9.txt", QString::fromUtf8("caf\xC3\xA9.txt")},
             Case{"\xE2\x82\xAC", QString(QChar(0x20AC))},
             Case{"\xF0\x9F\x98\x80", QString::fromUcs4(U"\U0001F600")},
             Case{"\xEF\xBB\xBF" "bom", QString(QChar(0xFEFF)) + "bom"},  // kept, not skipped
         }) {
        EXPECT_TRUE(IsValidUtf8(c.bytes)) << c.bytes;
        EXPECT_EQ(DecodeArchiveText(c.bytes), c.text) << c.bytes;
    }
}

TEST(NameDecoding, ReadsEverythingElseAsWindows1252) {
    struct Case { std::string bytes; QString text; };
    for (const Case& c : {
             Case{"caf\xE9.txt", QString::fromUtf8("caf\xC3\xA9.txt")},
             Case{"\x80\x9F", QString(QChar(0x20AC)) + QChar(0x0178)},
             Case{"\x81\x8D\x8F\x90\x9D",  // undefined bytes keep their value
                  QString::fromUcs4(U"\u0081\u008D\u008F\u0090\u009D")},
             Case{"\xC3", QString::fromUtf8("\xC3\x83")},               // cut-off sequence
             Case{"\xC0\xAF", QString::fromUtf8("\xC3\x80\xC2\xAF")},   // overlong "/"
             Case{"\xED\xA0\x80", QString::fromUtf8("\xC3\xAD\xC2\xA0\xE2\x82\xAC")},  // surrogate
             Case{"\xF4\x90\x80\x80", QString::fromUtf8("\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC")},
         }) {
        EXPECT_FALSE(IsValidUtf8(c.bytes)) << c.bytes;
        EXPECT_EQ(DecodeArchiveText(c.bytes), c.text) << c.bytes;
    }
}

TEST(NameDecoding, Windows1252TableAgreesWithQtsCodec) {
    QStringDecoder codec("windows-1252");
    if (!codec.isValid()) GTEST_SKIP() << "no windows-1252 codec in this Qt build";
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        QStringDecoder fresh("windows-1252");
        EXPECT_EQ(DecodeWindows1252(one), QString(fresh.decode(QByteArray(one.data(), 1))))
            << "byte " << byte;
    }
}

TEST(NameDecoding, Utf8RoundTripForPrinting) {
    const std::string name = "caf\xE9 \x80.txt";
    EXPECT_EQ(ToUtf8String(DecodeArchiveText(name)), "caf\xC3\xA9 \xE2\x82\xAC.txt");
    EXPECT_EQ(ToUtf8String(DecodeArchiveText("\xEF\xBB\xBF" "a")), "\xEF\xBB\xBF" "a");
    EXPECT_EQ(ToUtf8String(QString()), "");
}
