#include "ArchiveTestUtil.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <stdexcept>

TScratchDir::TScratchDir()
{
    std::string pattern = ::testing::TempDir() + "vorn-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    FPath = pattern;
}

TScratchDir::~TScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string TScratchDir::Save(const TBytes& bytes)
{
    const std::string path = FPath + "/archive" + std::to_string(FCount++) + ".kvres";
    SaveBytes(path, bytes);
    return path;
}

std::unique_ptr<TVornFile> OpenBytes(TScratchDir& dir, const TBytes& bytes)
{
    return TVornFile::Open(dir.Save(bytes));
}

std::string OpenMessage(TScratchDir& dir, const TBytes& bytes)
{
    const std::string path = dir.Save(bytes);
    try {
        TVornFile::Open(path);
    } catch (const EVornError& e) {
        return e.what();
    }
    return "opened";
}

std::string ReadEntry(TVornFile& vorn, uint32_t offset)
{
    TDataBuffer buffer;
    try {
        const uint32_t count = vorn.ReadFileData(offset, buffer);
        EXPECT_EQ(count, buffer.Size);
        return std::string(reinterpret_cast<const char*>(buffer.Data.get()), buffer.Size);
    } catch (const EVornError& e) {
        EXPECT_EQ(buffer.Data, nullptr);
        EXPECT_EQ(buffer.Size, 0u);
        return std::string("error: ") + e.what();
    }
}

TBytes SampleBytes(size_t size, uint32_t seed)
{
    static const char words[][8] = {"vorn ", "karvold", " map ", "tile\n", "0000", "sky "};
    std::mt19937 random(seed);
    TBytes out;
    out.reserve(size);
    while (out.size() < size) {
        if (random() % 4 == 0) {
            out.push_back(static_cast<uint8_t>(random()));
        } else {
            for (const char* w = words[random() % 6]; *w && out.size() < size; ++w)
                out.push_back(static_cast<uint8_t>(*w));
        }
    }
    return out;
}

std::string AsString(const TBytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

int OpenDescriptorCount()
{
    int count = 0;
    DIR* fds = opendir("/proc/self/fd");
    if (!fds)
        return -1;
    while (dirent* entry = readdir(fds))
        if (entry->d_name[0] != '.')
            ++count;
    closedir(fds);
    return count - 1;  // the listing's own descriptor
}
