// Runs the built pellory-cli as a child process and captures what it prints,
// and gives each test a scratch folder for the archives it writes.
#pragma once

#include "VornWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct TCliResult {
    int ExitStatus = -1;   // -1 when the process did not exit normally
    std::string Out;       // standard output, byte for byte
    std::string Err;       // standard error
};

// Runs pellory-cli with `args` (without the program name).
TCliResult RunCli(const std::vector<std::string>& args);

// The lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);

// A fixture with a fresh folder, removed after the test.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the archive and saves it as `fileName` in the folder; returns its path.
    std::string SaveArchive(const TVornPlan& plan, const std::string& fileName = "test.kvres");
    std::string SaveArchive(const TBuiltVorn& vorn, const std::string& fileName);
    std::string PathOf(const std::string& fileName) const { return FFolder + "/" + fileName; }

private:
    std::string FFolder;
};
