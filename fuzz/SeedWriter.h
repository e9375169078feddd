// The main() of a seed-corpus writer: checks the one DIRECTORY argument and
// saves each archive from `seeds` as DIRECTORY/seed-N.kvres.
#pragma once

#include "VornWriter.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

inline int WriteSeedCorpus(int argc, char** argv, const char* program,
                           std::vector<TBytes> (*seeds)()) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", program);
        return 2;
    }
    try {
        const std::vector<TBytes> corpus = seeds();
        for (size_t i = 0; i < corpus.size(); ++i)
            SaveBytes(std::string(argv[1]) + "/seed-" + std::to_string(i) + ".kvres", corpus[i]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 1;
    }
    return 0;
}
