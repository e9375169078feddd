// The baseline of the single-entry extraction benchmark: the entry's zlib
// streams read with pread(), inflated with zlib into one buffer, and written
// to the output file with one write() (no CRC, no time, no temporary file).
// Usage: extract_baseline MANIFEST OUTPUT
#include "DirectDecode.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

void ReadAt(int fd, uint8_t* out, size_t count, uint64_t pos)
{
    while (count > 0) {
        const ssize_t got = ::pread(fd, out, count, off_t(pos));
        if (got <= 0)
            throw std::runtime_error("short read");
        out += got;
        count -= size_t(got);
        pos += uint64_t(got);
    }
}

void Inflate(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw std::runtime_error("inflateInit");
    z.next_in = const_cast<uint8_t*>(in);
    z.avail_in = inSize;
    z.next_out = out;
    z.avail_out = outSize;
    const int result = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("inflate");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: extract_baseline MANIFEST OUTPUT\n");
        return 2;
    }
    try {
        const TBenchManifest manifest = LoadManifest(argv[1]);
        const TBenchEntry& entry = manifest.Entries.at(0);
        const int in = ::open(manifest.Archive.c_str(), O_RDONLY);
        if (in < 0)
            throw std::runtime_error("cannot open the archive");
        uint32_t largest = 0;
        for (const TBenchStream& s : entry.Streams)
            largest = std::max(largest, s.Compressed + s.Extra);
        std::unique_ptr<uint8_t[]> input(new uint8_t[largest]);
        std::unique_ptr<uint8_t[]> output(new uint8_t[entry.Size]);
        uint8_t* at = output.get();
        for (const TBenchStream& s : entry.Streams) {
            if (s.Compressed == s.Uncompressed) {
                ReadAt(in, at, s.Compressed, s.Pos);
            } else {
                ReadAt(in, input.get(), s.Compressed + s.Extra, s.Pos);
                Inflate(input.get(), s.Compressed, at, s.Uncompressed - s.Extra);
                std::copy_n(input.get() + s.Compressed, s.Extra, at + s.Uncompressed - s.Extra);
            }
            at += s.Uncompressed;
        }
        ::close(in);
        const int out = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || ::write(out, output.get(), entry.Size) != ssize_t(entry.Size)
            || ::close(out) != 0)
            throw std::runtime_error("cannot write the output");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "extract_baseline: %s\n", e.what());
        return 1;
    }
    return 0;
}
