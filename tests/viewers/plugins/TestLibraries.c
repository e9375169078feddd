/* Libraries for the plug-in loading tests, built from this one file:
 *   NO_INTERNAL_VIEW: claims ".bmp" but lacks InternalView, so it must be refused;
 *   otherwise: only InternalView, so it is loaded but never chosen. */
#include "pellory/plugin.h"

#include <string.h>

#ifdef NO_INTERNAL_VIEW
PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL CanViewFormat(const char* extension) {
    return strcmp(extension, ".bmp") == 0;
}
PELLORY_PLUGIN_EXPORT const char* PELLORY_PLUGIN_CALL FormatDescription(const char* extension) {
    (void)extension;
    return "Refused";
}
#else
PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL InternalView(const char* name, const uint8_t* data,
                                                               int32_t size) {
    (void)name;
    (void)data;
    (void)size;
    return 1;
}
#endif
