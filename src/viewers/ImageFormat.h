// The two built-in image handlers: Windows bitmaps and the game's raw textures.
#pragma once

#include "viewers/FormatRegistry.h"

class TBitmapFormat : public TAbstractFormat {
public:
    bool View(const std::string& name, TDataBuffer& data) override;
    bool CanView(const std::string& extension) override;
    int32_t GetIconIndex(const std::string& extension) override;
    std::string GetDescription(const std::string& extension) override;
};

class TRawFormat : public TAbstractFormat {
public:
    bool View(const std::string& name, TDataBuffer& data) override;
    bool CanView(const std::string& extension) override;
    int32_t GetIconIndex(const std::string& extension) override;
    std::string GetDescription(const std::string& extension) override;
};
