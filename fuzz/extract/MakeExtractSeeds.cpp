// Writes the seed corpus of the extraction harness: archives whose names
// meet the scratch tree (the existing file, the links pointing out), unsafe
// names, damaged data and a directory loop.
// Usage: make_extract_seeds DIRECTORY
#include "../SeedWriter.h"
#include "VornWriter.h"

#include <string>
#include <vector>

namespace {

std::vector<TBytes> Seeds()
{
    std::vector<TBytes> seeds;
    const auto add = [&](const TVornPlan& plan) { seeds.push_back(BuildVorn(plan).Bytes); };

    TVornPlan meet;  // names that exist in the destination already
    meet.Root.AddFile("existing", "replaced").Zlib();
    meet.Root.Add("link/x", "through the link");
    meet.Root.AddFile("flink", "over the file link").Lzo();
    meet.Root.Add("sub/existing", "deeper");
    add(meet);

    TVornPlan unsafe;  // names that must never become paths
    unsafe.Root.AddFile("..", "up");
    unsafe.Root.AddFile("../sentinel", "up");
    unsafe.Root.Add("../outside/x", "up");
    unsafe.Root.AddFile("a\\..\\..\\sentinel", "up");
    unsafe.Root.AddFile("c:sentinel", "drive");
    unsafe.Root.AddFile(std::string("nl\n"), "control");
    add(unsafe);

    TVornPlan rootName;  // a root named ".." with folder names reproduced
    rootName.Root.Name = "..";
    rootName.Root.Add("outside/keep", "overwritten?");
    add(rootName);

    TVornPlan damaged;  // a CRC failure on the existing file's name
    damaged.Root.AddFile("existing", "damaged").Zlib().ForceCrc = 1;
    damaged.Root.AddFile("fresh", std::string(3000, 'f')).Zlib(9).Chunked(1024);
    add(damaged);

    TVornPlan loop;  // a child list leading back to an ancestor
    loop.Root.Add("a/first", "1");
    loop.Root.Dir("a/b").ForceChildPaths = std::vector<std::string>{"a"};
    add(loop);
    return seeds;
}

}  // namespace

int main(int argc, char** argv) { return WriteSeedCorpus(argc, argv, "make_extract_seeds", Seeds); }
