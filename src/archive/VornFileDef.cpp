#include "VornFileDef.h"

const char* const FormatNames[3] = {"Raw", "Zlib", "Lzo"};

const char* const PriorityNames[5] = {"Factory", "Language", "Expansion", "Patch", "User"};

const char* const FlagNames[32] = {
    "NONE", "NON_RETAIL", "ALLOW_MULTIPLAYER_XFER", "PROTECTED_CONTENT",
    "", "", "", "", "", "", "", "", "", "", "", "",
    "", "", "", "", "", "", "", "", "", "", "", "",
    "", "", "", "",
};
