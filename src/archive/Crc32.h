// Standard CRC-32 (reflected polynomial 0xEDB88320), computed by zlib.
#pragma once

#include <cstddef>
#include <cstdint>

// With `startAndFinish` the value is set to 0xFFFFFFFF first and complemented
// at the end, so one call gives the CRC-32 of the bytes. Without it the value
// is only updated, so a CRC can be carried over several pieces.
void UpdateCRC32(const void* data, size_t count, uint32_t& crc, bool startAndFinish);

// The CRC-32 of one block.
uint32_t Crc32Of(const void* data, size_t count);
