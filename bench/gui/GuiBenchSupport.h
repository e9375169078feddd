// Shared parts of the main-window benchmarks: the archives they read (written
// once into the build's bench-data folder), an offscreen application with a
// main window, and a report of each measured pair as a ratio against its goal.
#pragma once

#include <benchmark/benchmark.h>

#include <QString>

#include <map>
#include <string>
#include <vector>

// 1,000,000 empty files in 10,000 folders (100 areas of 99 zones each, 100
// files per folder).
QString MillionFileArchive();
// One folder of 100,000 files in shuffled order, with assorted extensions.
QString HundredThousandFileArchive();

// A pair compared side by side: `ours` must take at most `goal` times `peer`.
struct TRatioGoal {
    std::string Ours;
    std::string Peer;
    double Goal;
};

// Runs the registered benchmarks on the offscreen platform, then prints each
// pair's ratio of mean CPU times (steadier than wall time on a shared machine). Returns the process exit code.
int RunGuiBenchmarks(int argc, char** argv, const std::vector<TRatioGoal>& goals);
