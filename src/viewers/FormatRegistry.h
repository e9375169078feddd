// Format handlers and the process-wide registry that owns them. The registry
// gives the file list its type texts and icons and picks a viewer for an
// entry. Lookups walk from the last registered handler to the first, so
// plug-ins take precedence over the built-in handlers.
#pragma once

#include "archive/VornFile.h"

#include <cstdint>
#include <memory>
#include <string>

class TAbstractFormat {
public:
    virtual ~TAbstractFormat() = default;
    // Shows the entry. Returning true means a window shows it and the handler
    // has taken `data` (moved out of it); false leaves `data` untouched.
    virtual bool View(const std::string& name, TDataBuffer& data) = 0;
    virtual bool CanView(const std::string& extension);
    virtual int32_t GetIconIndex(const std::string& extension);
    virtual std::string GetDescription(const std::string& extension);
};

// Appends a handler; the registry owns it until exit.
void RegisterFormat(std::unique_ptr<TAbstractFormat> handler);
// Registers TBitmapFormat and TRawFormat, once.
void RegisterBuiltinFormats();
// Removes every handler (tests only).
void ClearFormatsForTesting();
// Number of registered handlers.
size_t RegisteredFormatCount();

// The name's extension: from its last '.', '\' or ':' when that is a '.'.
std::string GetExtension(const std::string& name);
// The handler claiming the name's extension, or null.
TAbstractFormat* FindFormat(const std::string& name);
// The "Type" text of a file entry; errors of a handler are swallowed.
std::string GetFileTypeDescription(const std::string& name);
// The list icon index of a file entry: the handler's, else 4.
int32_t GetFileIconIndex(const std::string& name);
