/* A probe plug-in for the tests: claims ".raw" and ".cfg", declines to show
 * anything, and counts how often it was asked. It leaves IconIndex and
 * FormatDescription out, so the program's defaults apply. Its booleans set
 * bits above the lowest 8 to check that the program reads only those. */
#include "pellory/plugin.h"

#include <string.h>

static int32_t viewCount = 0;

PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL InternalView(const char* name, const uint8_t* data,
                                                               int32_t size) {
    (void)name;
    (void)data;
    (void)size;
    ++viewCount;
    return 0x100; /* false: the lowest 8 bits are 0 */
}

PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL CanViewFormat(const char* extension) {
    return (strcmp(extension, ".raw") == 0 || strcmp(extension, ".cfg") == 0) ? 0x201 : 0x200;
}

/* Test hook: how many times InternalView ran. */
PELLORY_PLUGIN_EXPORT int32_t ProbeViewCount(void) { return viewCount; }
