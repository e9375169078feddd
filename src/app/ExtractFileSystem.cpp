#include "ExtractFileSystem.h"

#include <QDir>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns one file descriptor.
class TFd {
public:
    explicit TFd(int fd = -1) : FFd(fd) {}
    ~TFd() { Reset(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    int Release() { int fd = FFd; FFd = -1; return fd; }
    void Reset(int fd = -1) { if (FFd >= 0) ::close(FFd); FFd = fd; }
private:
    int FFd;
};

[[noreturn]] void RaiseErrno(int error)
{
    throw EExtractError(SystemErrorText(error));
}

// Opens the folder `name` inside `parentFd` without following a link.
// Returns -1 with errno ENOENT when it does not exist.
int OpenChildFolder(int parentFd, const QByteArray& name, const QString& shownName)
{
    const int fd = ::openat(parentFd, name.constData(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        return fd;
    const int error = errno;
    if (error == ENOENT)
        return -1;
    struct stat st;
    if ((error == ELOOP || error == ENOTDIR)
        && ::fstatat(parentFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISLNK(st.st_mode))
        throw EExtractError(QStringLiteral("The folder \"%1\" is a symbolic link; it is not followed")
                                .arg(shownName));
    RaiseErrno(error);
}

void WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            RaiseErrno(errno);
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
}

void SetModifiedTime(int fd, std::optional<int64_t> seconds)
{
    if (!seconds)
        return;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(*seconds);
    times[1].tv_nsec = 0;
    if (::futimens(fd, times) != 0)
        RaiseErrno(errno);
}

QByteArray TemporaryName()
{
    return QByteArray(".pellory-")
           + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
}

// Gives an unnamed file (O_TMPFILE) the name `name`. Returns 0, the errno
// of the failure, or -1 when the system offers no way to name such a file.
int LinkUnnamedFile(int fd, int folderFd, const QByteArray& name)
{
    static bool emptyPathWorks = true;
    if (emptyPathWorks) {
        if (::linkat(fd, "", folderFd, name.constData(), AT_EMPTY_PATH) == 0)
            return 0;
        if (errno != ENOENT && errno != EPERM && errno != EINVAL)
            return errno;
        emptyPathWorks = false;  // needs a capability this process lacks
    }
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    if (error == ENOENT && ::access("/proc/self/fd", F_OK) != 0)
        return -1;
    return error;
}

// Moves the complete file at `tempName` to `name`, removing it on failure.
void MoveIntoPlace(int folderFd, const QByteArray& tempName, const QByteArray& name,
                   bool replace)
{
    int result;
    if (replace) {
        result = ::renameat(folderFd, tempName.constData(), folderFd, name.constData());
    } else {
        result = ::renameat2(folderFd, tempName.constData(), folderFd, name.constData(),
                             RENAME_NOREPLACE);
        if (result != 0 && errno == EINVAL)
            result = ::renameat(folderFd, tempName.constData(), folderFd, name.constData());
    }
    if (result != 0) {
        const int error = errno;
        ::unlinkat(folderFd, tempName.constData(), 0);
        RaiseErrno(error);
    }
}

// Fallback for file systems without unnamed files: a named temporary file.
void PublishThroughTemporaryFile(int folderFd, const QByteArray& name, const uint8_t* data,
                                 size_t size, std::optional<int64_t> modifiedSeconds,
                                 bool replace)
{
    QByteArray tempName;
    TFd fd;
    for (int attempt = 0; fd.Get() < 0; ++attempt) {
        tempName = TemporaryName();
        fd.Reset(::openat(folderFd, tempName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.Get() < 0 && (errno != EEXIST || attempt == 10))
            RaiseErrno(errno);
    }
    try {
        WriteAll(fd.Get(), data, size);
        SetModifiedTime(fd.Get(), modifiedSeconds);
        if (::close(fd.Release()) != 0)
            RaiseErrno(errno);
    } catch (...) {
        fd.Reset();
        ::unlinkat(folderFd, tempName.constData(), 0);
        throw;
    }
    MoveIntoPlace(folderFd, tempName, name, replace);
}

}  // namespace

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray FileSystemName(const QString& name)
{
    return name.toUtf8();
}

TDestinationTree::TDestinationTree(const QString& root)
    : FRoot(root.isEmpty() ? QStringLiteral("/") : root)
{
}

TDestinationTree::~TDestinationTree()
{
    CloseCached();
    if (FRootFd >= 0)
        ::close(FRootFd);
}

void TDestinationTree::CloseCached()
{
    if (FCachedFd >= 0 && FCachedFd != FRootFd)
        ::close(FCachedFd);
    FCachedFd = -1;
    FCachedFolders.clear();
}

int TDestinationTree::OpenRoot(bool create)
{
    if (FRootFd >= 0)
        return FRootFd;
    if (create)
        QDir().mkpath(FRoot);  // a failure shows when the root is opened
    const int fd = ::open(QFile::encodeName(FRoot).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && !create)
            return -1;
        RaiseErrno(errno);
    }
    FRootFd = fd;
    return fd;
}

int TDestinationTree::OpenFolder(const QStringList& folders, bool create)
{
    if (FCachedFd >= 0 && FCachedFolders == folders)
        return FCachedFd;
    const int rootFd = OpenRoot(create);
    if (rootFd < 0)
        return -1;
    if (folders.isEmpty())
        return rootFd;

    TFd current;
    int parentFd = rootFd;
    for (const QString& folder : folders) {
        const QByteArray name = FileSystemName(folder);
        int fd = OpenChildFolder(parentFd, name, folder);
        if (fd < 0) {
            if (!create)
                return -1;
            if (::mkdirat(parentFd, name.constData(), 0777) != 0 && errno != EEXIST)
                RaiseErrno(errno);
            fd = OpenChildFolder(parentFd, name, folder);
            if (fd < 0)
                RaiseErrno(ENOENT);
        }
        current.Reset(fd);
        parentFd = fd;
    }
    CloseCached();
    FCachedFd = current.Release();
    FCachedFolders = folders;
    return FCachedFd;
}

TExistingEntry StatEntry(int folderFd, const QByteArray& name)
{
    TExistingEntry entry;
    struct stat st;
    if (::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return entry;
        RaiseErrno(errno);
    }
    if (S_ISLNK(st.st_mode))
        entry.Kind = TExistingEntry::SymbolicLink;
    else if (S_ISDIR(st.st_mode))
        entry.Kind = TExistingEntry::Directory;
    else
        entry.Kind = TExistingEntry::File;
    entry.ModifiedSeconds = st.st_mtim.tv_sec;
    return entry;
}

uint64_t ExistingFileSize(int folderFd, const QByteArray& name)
{
    // Non-blocking, so that a named pipe in the way cannot stall the run.
    TFd fd(::openat(folderFd, name.constData(),
                    O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0)
        RaiseErrno(errno);
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0)
        RaiseErrno(errno);
    return static_cast<uint64_t>(st.st_size);
}

void PublishFile(int folderFd, const QByteArray& name, const uint8_t* data, size_t size,
                 std::optional<int64_t> modifiedSeconds, bool replace)
{
    TFd fd(::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.Get() < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            PublishThroughTemporaryFile(folderFd, name, data, size, modifiedSeconds, replace);
            return;
        }
        RaiseErrno(errno);
    }
    WriteAll(fd.Get(), data, size);
    SetModifiedTime(fd.Get(), modifiedSeconds);

    if (!replace) {
        const int result = LinkUnnamedFile(fd.Get(), folderFd, name);
        if (result == -1)
            PublishThroughTemporaryFile(folderFd, name, data, size, modifiedSeconds, false);
        else if (result != 0)
            RaiseErrno(result);
        return;
    }
    // Name the complete file beside the target, then swap it in.
    for (int attempt = 0;; ++attempt) {
        const QByteArray tempName = TemporaryName();
        const int result = LinkUnnamedFile(fd.Get(), folderFd, tempName);
        if (result == 0) {
            MoveIntoPlace(folderFd, tempName, name, true);
            return;
        }
        if (result == -1) {
            PublishThroughTemporaryFile(folderFd, name, data, size, modifiedSeconds, true);
            return;
        }
        if (result != EEXIST || attempt == 10)
            RaiseErrno(result);
    }
}
