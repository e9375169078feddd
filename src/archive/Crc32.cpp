#include "Crc32.h"

#include <zlib.h>

// zlib's crc32() complements on entry and exit; the running value here is the
// raw register, so it is complemented around the call.
void UpdateCRC32(const void* data, size_t count, uint32_t& crc, bool startAndFinish)
{
    uint32_t reg = startAndFinish ? 0xFFFFFFFFu : crc;
    if (count > 0) {
        reg = ~static_cast<uint32_t>(
            crc32_z(~reg & 0xFFFFFFFFu, static_cast<const Bytef*>(data), count));
    }
    crc = startAndFinish ? ~reg : reg;
}

uint32_t Crc32Of(const void* data, size_t count)
{
    uint32_t crc = 0;
    UpdateCRC32(data, count, crc, true);
    return crc;
}
