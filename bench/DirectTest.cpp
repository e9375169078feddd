// The process-level peer of "pellory-cli test": decodes every stream named
// by a manifest with zlib/LZO directly and checks the CRCs.
// Usage: vorn_direct_test MANIFEST
#include "DirectDecode.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorn_direct_test MANIFEST\n");
        return 2;
    }
    try {
        const TBenchManifest manifest = LoadManifest(argv[1]);
        const unsigned long long bytes = DirectDecodeAll(manifest);
        std::printf("%zu entries, %llu bytes, all sound\n", manifest.Entries.size(), bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorn_direct_test: %s\n", e.what());
        return 1;
    }
    return 0;
}
