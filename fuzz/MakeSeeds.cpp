// Writes the seed corpus of the fuzz harness: small archives covering every
// layout the reader knows (formats, chunks, extra bytes, stored chunks, the
// description, PE wrapping, odd index placements).
// Usage: make_fuzz_seeds DIRECTORY
#include "SeedWriter.h"
#include "VornWriter.h"

#include <string>
#include <vector>

namespace {

TBytes Text(size_t size, int seed) {
    TBytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>("karvold vorn "[(i / 3 + seed) % 13]);
    return out;
}

TBytes Noise(size_t size, uint32_t seed) {
    TBytes out(size);
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        out[i] = static_cast<uint8_t>(seed >> 16);
    }
    return out;
}

std::vector<TBytes> Seeds() {
    std::vector<TBytes> seeds;
    auto add = [&](const TVornPlan& plan) { seeds.push_back(BuildVorn(plan).Bytes); };

    TVornPlan plain;  // one entry per format, whole
    plain.Root.AddFile("raw.txt", Text(100, 0));
    plain.Root.AddFile("zlib.txt", Text(300, 1)).Zlib(9);
    plain.Root.AddFile("lzo.txt", Text(300, 2)).Lzo();
    add(plain);

    TVornPlan chunked;  // chunks with extra bytes and stored chunks
    TEntryPlan& z = chunked.Root.AddFile("z.bin", Text(700, 3)).Zlib(6).Chunked(256);
    z.Chunk(0).Extra = 4;
    z.Chunk(1).Mode = TChunkMode::Stored;
    TEntryPlan& l = chunked.Root.AddFile("l.bin", Text(700, 4)).Lzo().Chunked(256);
    l.Chunk(2).Extra = 7;
    chunked.Root.AddFile("n.bin", Noise(300, 5)).Zlib(1).Chunked(128);
    chunked.Root.AddFile("empty.bin", TBytes{}).Lzo().Chunked(64);
    add(chunked);

    TVornPlan tree;  // nesting, empty folders, header texts, description
    tree.Header.Title = u"Seed";
    tree.Header.Author = u"Fuzz";
    tree.Header.Description = u"A description of the seed archive.";
    tree.Root.Name = "root";
    tree.Root.Add("a/b/c/deep.txt", Text(40, 6));
    tree.Root.Add("a/b/side.txt", Text(20, 7)).Lzo();
    tree.Root.Dir("a/empty");
    tree.Root.AddDir("z");
    tree.Root.Add("$name\xE9.cfg", Text(10, 8)).WithFlags(0x8000).NoCrc();
    add(tree);

    TVornPlan odd;  // index after the data, junk in the file set, no raw headers
    odd.IndexAfterData = true;
    odd.JunkBeforeFiles = 8;
    odd.Root.AddFile("a", Text(50, 9)).RawCompressionHeader = false;
    odd.Root.AddFile("b", Text(500, 10)).Zlib(0);
    odd.Root.AddFile("c", Text(90, 11)).ForceFormat = 3;
    add(odd);

    TVornPlan loop;  // a child list leading back to an ancestor
    loop.Root.Dir("a/b").ForceChildPaths = std::vector<std::string>{"a"};
    add(loop);

    seeds.push_back(BuildPeWrapped({".text", ".IVORN", ".DVORN"}, std::nullopt, seeds[0]));
    seeds.push_back(BuildPeWrapped({".text"}));
    return seeds;
}

}  // namespace

int main(int argc, char** argv) { return WriteSeedCorpus(argc, argv, "make_fuzz_seeds", Seeds); }
