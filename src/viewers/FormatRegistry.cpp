#include "viewers/FormatRegistry.h"

#include <vector>

namespace {
std::vector<std::unique_ptr<TAbstractFormat>>& Registry() {
    static std::vector<std::unique_ptr<TAbstractFormat>> handlers;
    return handlers;
}
}  // namespace

bool TAbstractFormat::CanView(const std::string&) { return false; }
int32_t TAbstractFormat::GetIconIndex(const std::string&) { return 4; }
std::string TAbstractFormat::GetDescription(const std::string&) { return "Unknown"; }

void RegisterFormat(std::unique_ptr<TAbstractFormat> handler) {
    Registry().push_back(std::move(handler));
}

void ClearFormatsForTesting() { Registry().clear(); }

size_t RegisteredFormatCount() { return Registry().size(); }

std::string GetExtension(const std::string& name) {
    const auto pos = name.find_last_of(".\\:");
    if (pos == std::string::npos || name[pos] != '.') return {};
    return name.substr(pos);
}

TAbstractFormat* FindFormat(const std::string& name) {
    const std::string extension = GetExtension(name);
    auto& handlers = Registry();
    for (auto it = handlers.rbegin(); it != handlers.rend(); ++it)
        if ((*it)->CanView(extension)) return it->get();
    return nullptr;
}

std::string GetFileTypeDescription(const std::string& name) {
    std::string result = "Unknown";
    try {
        if (TAbstractFormat* handler = FindFormat(name)) {
            result = handler->GetDescription(GetExtension(name));
        } else {
            std::string ext = GetExtension(name);
            if (!ext.empty()) ext.erase(0, 1);
            for (char& c : ext)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            result = ext + " File";
        }
    } catch (...) {
        // A failing plug-in must not stop the list from filling.
    }
    return result;
}

int32_t GetFileIconIndex(const std::string& name) {
    TAbstractFormat* handler = FindFormat(name);
    return handler ? handler->GetIconIndex(GetExtension(name)) : 4;
}
