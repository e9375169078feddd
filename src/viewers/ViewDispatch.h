// Viewer dispatch: picks the viewer for a decoded entry and loads plug-ins.
#pragma once

#include "archive/VornFile.h"

#include <QString>

#include <cstdint>
#include <string>

// Loads every "*.so" in `folder` as a plug-in handler; loading errors are swallowed.
void LoadPlugins(const QString& folder);

// Opens a viewer for the entry: the handler claiming its extension, else the
// text viewer when the data looks like text, else the hex viewer. Whoever
// shows the data takes it out of `data`. Errors of a handler's View pass on.
bool ViewFile(const std::string& name, TDataBuffer& data);
bool IsTextData(const uint8_t* data, uint32_t size);
bool ViewAsText(const std::string& name, TDataBuffer& data);
bool ViewAsHex(const std::string& name, TDataBuffer& data);
