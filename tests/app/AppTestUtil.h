// Helpers for the application-logic tests: temporary folders and archives.
#pragma once

#include "VornWriter.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class TVornFile;

// A temporary folder that lives as long as the test.
class TTempFolder {
public:
    TTempFolder();
    QString Path(const QString& name = QString()) const;
    // Writes `plan` to `name` in the folder; returns the full path.
    QString Save(const QString& name, const TVornPlan& plan) const;

private:
    QTemporaryDir FDir;
};

std::unique_ptr<TVornFile> OpenSaved(const QString& path);
