// Planning a run: base folders from the folder-name option and the scope,
// archive paths for messages, and the small shared texts.
#include "ExtractEngine.h"

#include "ExtractFileSystem.h"
#include "ExtractNames.h"
#include "NameDecoding.h"

#include "archive/VornError.h"
#include "archive/VornFile.h"

#include <unordered_set>

namespace {

QString JoinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The directories from the root down to the parent of `offset`.
std::vector<uint32_t> AncestorsOf(const TVornFile& archive, uint32_t offset)
{
    std::vector<uint32_t> ancestors;
    std::unordered_set<uint32_t> seen{offset};
    for (uint32_t p = archive.GetParentOffset(offset); p != 0; p = archive.GetParentOffset(p)) {
        if (!seen.insert(p).second)
            throw EVornError(FormatMessage("Error in directory structure! (Parent loop above %u)",
                                           offset));
        ancestors.insert(ancestors.begin(), p);
    }
    return ancestors;
}

// Appends a folder named by the archive; empty names add nothing.
void AppendFolder(TExtractLocation& location, const QString& name)
{
    if (name.isEmpty())
        return;
    if (const std::optional<QString> reason = UnsafeNameReason(name))
        throw EExtractError(*reason);
    location.Folders << name;
}

}  // namespace

TOverwriteAnswer ToOverwriteAnswer(int modalResult)
{
    switch (modalResult) {
    case oaOnlyOlder:
    case oaYes:
    case oaNo:
    case oaNoToAll:
    case oaYesToAll:
        return static_cast<TOverwriteAnswer>(modalResult);
    default:
        return oaNo;
    }
}

QString CantExtractText(const TExtractFailure& failure)
{
    return QStringLiteral("Can't extract: ") + failure.TargetPath + QStringLiteral("\r\nError: ")
           + failure.Message;
}

QString TExtractLocation::Path() const
{
    QString path = Root.isEmpty() ? QStringLiteral("/") : Root;
    for (const QString& folder : Folders)
        path = JoinPath(path, PrintableName(folder));
    return path;
}

QString TExtractLocation::PathOf(const QString& name) const
{
    return JoinPath(Path(), name);
}

QString EntryName(const TVornFile& archive, uint32_t entry)
{
    return DecodeArchiveText(archive.GetName(entry));
}

QString ArchivePathOf(const TVornFile& archive, uint32_t entry)
{
    QString path;
    try {
        for (uint32_t dir : AncestorsOf(archive, entry))
            if (archive.GetParentOffset(dir) != 0)  // the root's name is left out
                path += EntryName(archive, dir) + QLatin1Char('/');
        return path + EntryName(archive, entry);
    } catch (const std::exception&) {
        return QStringLiteral("<entry at offset %1>").arg(entry);
    }
}

TExtractLocation ArchiveFolderLocation(const TVornFile& archive, const QString& destination,
                                       uint32_t folder, bool withRoot)
{
    TExtractLocation location{destination, {}};
    std::vector<uint32_t> folders = AncestorsOf(archive, folder);
    folders.push_back(folder);
    for (size_t i = withRoot ? 0 : 1; i < folders.size(); ++i)
        AppendFolder(location, EntryName(archive, folders[i]));
    return location;
}

TExtractLocation BaseLocation(const TVornFile& archive, const QString& destination,
                              uint32_t folder, const ExtractOptions& options)
{
    const uint32_t parent = archive.GetParentOffset(folder);
    if (options.FolderNames != fnFull || parent == 0)
        return TExtractLocation{destination, {}};
    // The current folder's ancestor path, and with esSelected its own name.
    return ArchiveFolderLocation(archive, destination,
                                 options.Scope == esSelected ? folder : parent, true);
}

TExtractPlan PlanExtraction(const TVornFile& archive, const QString& destination,
                            const ExtractOptions& options, const TExtractSource& source)
{
    TExtractPlan plan;
    const bool selectedRun = options.Scope == esSelected && !source.SelectedRows.empty();
    if (!selectedRun && source.RowCount == 0)
        return plan;
    if (!selectedRun && options.Scope != esCurrentDir) {
        plan.Jobs.push_back({TExtractLocation{destination, {}}, archive.GetRootOffset()});
        return plan;
    }
    TExtractLocation base;
    try {
        base = BaseLocation(archive, destination, source.CurrentFolder, options);
    } catch (const EExtractError& error) {
        // A folder above the extracted items has a name that cannot be used.
        TExtractLocation shown{destination, {}};
        plan.Refused.push_back({shown.PathOf(ArchivePathOf(archive, source.CurrentFolder)),
                                ArchivePathOf(archive, source.CurrentFolder),
                                DecodeArchiveText(error.what())});
        return plan;
    }
    if (!selectedRun) {
        plan.Jobs.push_back({base, source.CurrentFolder});
        return plan;
    }
    for (const TExtractRow& row : source.SelectedRows)
        if (row.IconIndex != 0)
            plan.Jobs.push_back({base, row.Offset});
    return plan;
}

