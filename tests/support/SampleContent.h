// Generated contents for the sample archive: pictures and binary data that
// look like a game's resources.
#pragma once

#include "VornWriter.h"

#include <cstdint>
#include <functional>

// BGRA colour of pixel (x, y) of an image `width` by `height`.
using TPixelFunction = std::function<uint32_t(int x, int y, int width, int height)>;

// A 24-bit Windows bitmap file, bottom-up rows padded to four bytes.
TBytes MakeBitmap(int width, int height, const TPixelFunction& pixel);

// A raw texture ("ipaR", "8888") with `surfaces` surfaces, each half the
// size of the one before (at least 1 by 1), all drawn by `pixel`.
TBytes MakeRawTexture(int width, int height, int surfaces, const TPixelFunction& pixel);

// A height map: a small header and width x height bytes of rolling hills.
TBytes MakeHeightMap(int width, int height);

// Deterministic noise in 0..255 for (x, y, seed).
uint8_t Noise(int x, int y, uint32_t seed);
