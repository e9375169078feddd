// Direct zlib/LZO decoding of the streams named by a manifest.
#include "DirectDecode.h"

#include <fcntl.h>
#include <lzo/lzo1x.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <stdexcept>

void SaveManifest(const std::string& fileName, const TBenchManifest& manifest) {
    std::ofstream out(fileName);
    out << manifest.Archive << "\n" << manifest.Entries.size() << "\n";
    for (const TBenchEntry& e : manifest.Entries) {
        out << e.Format << " " << e.Size << " " << e.Crc << " " << e.Streams.size() << "\n";
        for (const TBenchStream& s : e.Streams)
            out << s.Pos << " " << s.Compressed << " " << s.Uncompressed << " " << s.Extra << "\n";
    }
    if (!out) throw std::runtime_error("cannot write " + fileName);
}

TBenchManifest LoadManifest(const std::string& fileName) {
    std::ifstream in(fileName);
    TBenchManifest manifest;
    size_t entries = 0;
    std::getline(in, manifest.Archive);
    in >> entries;
    manifest.Entries.resize(entries);
    for (TBenchEntry& e : manifest.Entries) {
        size_t streams = 0;
        in >> e.Format >> e.Size >> e.Crc >> streams;
        e.Streams.resize(streams);
        for (TBenchStream& s : e.Streams) in >> s.Pos >> s.Compressed >> s.Uncompressed >> s.Extra;
    }
    if (!in) throw std::runtime_error("cannot read " + fileName);
    return manifest;
}

namespace {

void ReadExactly(int fd, uint8_t* out, size_t count, uint64_t pos) {
    while (count > 0) {
        const ssize_t got = pread(fd, out, count, static_cast<off_t>(pos));
        if (got <= 0) throw std::runtime_error("short read");
        out += got;
        count -= static_cast<size_t>(got);
        pos += static_cast<uint64_t>(got);
    }
}

class TInflater {
public:
    TInflater() {
        if (inflateInit(&FStream) != Z_OK) throw std::runtime_error("inflateInit");
    }
    ~TInflater() { inflateEnd(&FStream); }
    void Run(const uint8_t* in, uint32_t inCount, uint8_t* out, uint32_t outCount) {
        inflateReset(&FStream);
        FStream.next_in = const_cast<uint8_t*>(in);
        FStream.avail_in = inCount;
        FStream.next_out = out;
        FStream.avail_out = outCount;
        if (inflate(&FStream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("inflate");
    }

private:
    z_stream FStream{};
};

}  // namespace

uint64_t DirectDecodeAll(const TBenchManifest& manifest) {
    const int fd = open(manifest.Archive.c_str(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + manifest.Archive);
    std::vector<uint8_t> input;
    TInflater inflater;
    uint64_t total = 0;
    try {
        for (const TBenchEntry& e : manifest.Entries) {
            std::unique_ptr<uint8_t[]> out(new uint8_t[e.Size ? e.Size : 1]);
            uint8_t* write = out.get();
            for (const TBenchStream& s : e.Streams) {
                if (s.Compressed == s.Uncompressed) {
                    ReadExactly(fd, write, s.Uncompressed, s.Pos);
                    write += s.Uncompressed;
                    continue;
                }
                if (input.size() < s.Compressed + size_t{s.Extra}) input.resize(s.Compressed + size_t{s.Extra});
                ReadExactly(fd, input.data(), s.Compressed + size_t{s.Extra}, s.Pos);
                const uint32_t packed = s.Uncompressed - s.Extra;
                if (e.Format == 1) {
                    inflater.Run(input.data(), s.Compressed, write, packed);
                } else {
                    lzo_uint produced = packed;
                    if (lzo1x_decompress_safe(input.data(), s.Compressed, write, &produced, nullptr) != LZO_E_OK ||
                        produced != packed)
                        throw std::runtime_error("lzo");
                }
                std::copy_n(input.data() + s.Compressed, s.Extra, write + packed);
                write += s.Uncompressed;
            }
            if (crc32(0, out.get(), e.Size) != e.Crc) throw std::runtime_error("crc");
            total += e.Size;
        }
    } catch (...) {
        close(fd);
        throw;
    }
    close(fd);
    return total;
}

uint64_t ContentBytes(const TBenchManifest& manifest) {
    uint64_t total = 0;
    for (const TBenchEntry& e : manifest.Entries) total += e.Size;
    return total;
}
