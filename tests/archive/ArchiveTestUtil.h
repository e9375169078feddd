// Shared helpers of the reader tests: archives from the writer, saved to
// scratch files and opened with the reader.
#pragma once

#include "VornWriter.h"
#include "archive/VornError.h"
#include "archive/VornFile.h"

#include <memory>
#include <string>

// A folder of scratch files, removed with everything in it at destruction.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    // Writes `bytes` to a new file in the folder and returns its path.
    std::string Save(const TBytes& bytes);
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
    int FCount = 0;
};

// Opens bytes as an archive; the scratch folder keeps the file.
std::unique_ptr<TVornFile> OpenBytes(TScratchDir& dir, const TBytes& bytes);

// The message Open raises for these bytes, or "opened" when it succeeds.
std::string OpenMessage(TScratchDir& dir, const TBytes& bytes);

// The message of a failing call, or "no error".
template <typename F>
std::string MessageOf(F&& call)
{
    try {
        call();
    } catch (const EVornError& e) {
        return e.what();
    }
    return "no error";
}

// Decodes one entry: its bytes, or the text "error: <message>".
std::string ReadEntry(TVornFile& vorn, uint32_t offset);

// A deterministic mix of text-like and random bytes that compresses somewhat.
TBytes SampleBytes(size_t size, uint32_t seed);

std::string AsString(const TBytes& bytes);

// Number of file descriptors this process holds open.
int OpenDescriptorCount();
