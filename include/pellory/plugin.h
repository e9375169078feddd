/* Pellory 2 viewer plug-in interface.
 *
 * A plug-in is a shared library ("*.so") placed in the folder "plugins/"
 * beside the program. At start-up the program loads every such library and
 * looks up these four functions by their exact names, with C linkage:
 *
 *   InternalView       required: a library without it is not loaded.
 *   CanViewFormat      optional: when absent the plug-in claims no extension.
 *   IconIndex          optional: when absent the file list shows icon 4.
 *   FormatDescription  optional: when absent the type text is "Unknown".
 *
 * Plug-ins loaded later take precedence over earlier ones and over the
 * built-in viewers; libraries load in the order of their file names.
 *
 * Strings: every string the program passes is a NUL-terminated 8-bit string
 * (never null; an empty extension is a pointer to a NUL byte), owned by the
 * program and valid only during the call. Extensions include the dot (".cfg").
 *
 * Booleans: the program looks only at the lowest 8 bits of the returned
 * value; 0 is false, anything else true.
 *
 * Ownership of the entry data passed to InternalView:
 *   - returning true means the plug-in has shown the entry; it may keep using
 *     `data` for as long as the program runs and must never free it;
 *   - returning false means the program passes the same data to its own
 *     viewers, so the plug-in must keep no reference to it.
 * `data` may be null when `size` is 0. Entries larger than INT32_MAX bytes
 * are never offered to plug-ins.
 *
 * FormatDescription returns a NUL-terminated string that the program copies at
 * once and never frees (a static string is the usual choice); null gives an
 * empty type text.
 *
 * Every call comes from the program's user-interface thread.
 */
#ifndef PELLORY_PLUGIN_H
#define PELLORY_PLUGIN_H

#include <stdint.h>

#if defined(_WIN32)
#define PELLORY_PLUGIN_EXPORT __declspec(dllexport)
#define PELLORY_PLUGIN_CALL __stdcall
#else
#define PELLORY_PLUGIN_EXPORT __attribute__((visibility("default")))
#define PELLORY_PLUGIN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Signatures, as the program calls them. */
typedef int32_t (PELLORY_PLUGIN_CALL *TPluginInternalView)(const char* name, const uint8_t* data,
                                                           int32_t size);
typedef int32_t (PELLORY_PLUGIN_CALL *TPluginCanViewFormat)(const char* extension);
typedef int32_t (PELLORY_PLUGIN_CALL *TPluginIconIndex)(const char* extension);
typedef const char* (PELLORY_PLUGIN_CALL *TPluginFormatDescription)(const char* extension);

/* Declarations for plug-in authors: define the ones your plug-in offers. */
PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL InternalView(const char* name, const uint8_t* data,
                                                               int32_t size);
PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL CanViewFormat(const char* extension);
PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL IconIndex(const char* extension);
PELLORY_PLUGIN_EXPORT const char* PELLORY_PLUGIN_CALL FormatDescription(const char* extension);

#ifdef __cplusplus
}
#endif

#endif /* PELLORY_PLUGIN_H */
