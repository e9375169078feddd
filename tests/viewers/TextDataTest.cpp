// The text test that chooses the text viewer, and how entry text is loaded.
#include "viewers/TextLoading.h"
#include "viewers/ViewDispatch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool IsText(const std::string& bytes) {
    return IsTextData(reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()));
}

std::string WithByteAt(size_t size, size_t at, char byte) {
    std::string text(size, 'x');
    text[at] = byte;
    return text;
}

QString Load(const std::string& bytes) {
    return LoadEntryText(reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()));
}

}  // namespace

TEST(TextTest, LooksOnlyAtTheFirst1024Bytes) {
    const struct {
        const char* what;
        std::string bytes;
        bool text;
    } cases[] = {
        {"empty", "", false},
        {"one letter", "a", true},
        {"tab, CR, LF and high bytes", "a\tb\r\nc\xE9\xFF\x7F", true},
        {"1024 letters", std::string(1024, 'a'), true},
        {"1025 letters", std::string(1025, 'a'), true},
        {"NUL first", WithByteAt(1025, 0, '\0'), false},
        {"NUL at byte 1024", WithByteAt(1025, 1023, '\0'), false},
        {"NUL at byte 1025", WithByteAt(1025, 1024, '\0'), true},
        {"form feed", WithByteAt(10, 5, '\x0C'), false},
        {"vertical tab", WithByteAt(10, 5, '\x0B'), false},
        {"escape", WithByteAt(10, 5, '\x1B'), false},
        {"single NUL", std::string(1, '\0'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsText(c.bytes), c.text) << c.what;
}

TEST(TextLoading, EveryLineEndFormEndsOneLine) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"CR LF", "one\r\ntwo\r\nthree"},
        {"LF", "one\ntwo\nthree"},
        {"CR", "one\rtwo\rthree"},
        {"mixed", "one\rtwo\r\nthree"},
    };
    for (const auto& c : cases) EXPECT_EQ(Load(c.bytes), "one\ntwo\nthree") << c.what;
    EXPECT_EQ(Load("a\n\r\nb\r\r"), "a\n\nb\n\n");
}

TEST(TextLoading, StopsAtTheFirstNul) {
    std::string bytes(3000, 'z');
    bytes[1999] = '\0';
    EXPECT_EQ(Load(bytes).size(), 1999);
    EXPECT_EQ(Load(std::string("\0abc", 4)), QString());
    EXPECT_EQ(Load(""), QString());
}

TEST(TextLoading, DecodesUtf8ElseWindows1252) {
    EXPECT_EQ(Load("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(Load("caf\xE9 \x80"), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
}
