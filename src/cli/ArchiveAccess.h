// Opening the archive a command works on.
#pragma once

#include "archive/VornFile.h"

#include <memory>
#include <string>

// Opens `fileName`; an archive that cannot be opened raises ECliError with
// the reader's message and ExitTrouble.
std::unique_ptr<TVornFile> OpenArchive(const std::string& fileName);
