#include "CatalogueChoice.h"

#include "core/NoReplace.h"
#include "core/WriteAll.h"
#include "core/utHead.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isRegularFile(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// A file and its folder must both be writable, since SQLite keeps its journal beside the file; 0 or
// the errno.
int writeError(const QByteArray& folder, const QByteArray& file)
{
    if (::access(file.constData(), R_OK | W_OK) != 0 || ::access(folder.constData(), W_OK | X_OK) != 0)
        return errno;
    return 0;
}

// The folder and the ones above it that are missing; 0 or the errno.
int makeFolders(const QByteArray& folder)
{
    for (qsizetype slash = folder.indexOf('/', 1); slash >= 0; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray step = folder.left(slash);
        if (::mkdir(step.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

int readAll(const QByteArray& file, QByteArray& bytes)
{
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        bytes.append(buffer, n);
    }
    ::close(fd);
    return 0;
}

// Copies the delivered file to a temporary name beside own, then gives it the name own unless
// another start has made own meanwhile; 0 or the errno.
int makeOwnCopy(const QByteArray& delivered, const QByteArray& folder, const QByteArray& own)
{
    if (const int error = makeFolders(folder))
        return error;
    QByteArray bytes;
    if (const int error = readAll(delivered, bytes))
        return error;
    QByteArray temporary = folder + ".KIROCustomList.mdb-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = WriteSyncClose(fd, bytes);
    if (error == 0)
        error = RenameNoReplace(temporary, own);
    if (error != 0)
        ::unlink(temporary.constData());
    return error == EEXIST ? 0 : error;
}

// 0 when own is a regular file or a link to one of this user's; else why it cannot be the copy.
int copyProblem(const QByteArray& own)
{
    struct stat st {};
    if (::lstat(own.constData(), &st) != 0)
        return errno;
    if (S_ISLNK(st.st_mode)) {
        if (::stat(own.constData(), &st) != 0)
            return errno;
        if (S_ISREG(st.st_mode) && st.st_uid != ::geteuid())
            return EPERM;
    }
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    return S_ISREG(st.st_mode) ? 0 : EINVAL;
}

CatalogueChoice readOnly(const QByteArray& open, const QByteArray& unwritable, int error)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    return {CatalogueChoice::Kind::ReadOnly, open,
            QStringLiteral("无法写入数据库文件 [%1] ！（%2）\r\r"
                           "说明：本次运行中对选项、自定义播放列表和用过的目标文件夹的更改都不会保存。")
                .arg(QFile::decodeName(unwritable), reason)};
}

} // namespace

QByteArray OwnCatalogueFolder(const QByteArray& xdgDataHome, const QByteArray& home)
{
    if (xdgDataHome.startsWith('/'))
        return xdgDataHome + "/melvanekiro/";
    if (home.startsWith('/'))
        return home + "/.local/share/melvanekiro/";
    return {};
}

bool InstalledProgramFolder(const QByteArray& appPath)
{
    // Where the install rules put the program, under /usr or any other prefix.
    return appPath.endsWith("/lib/melvanekiro/");
}

CatalogueChoice ChooseCatalogue(const QByteArray& appPath, const QByteArray& ownFolder)
{
    const QByteArray delivered = appPath + kCatalogueFileName;
    if (!isRegularFile(delivered))
        return {};
    if (!InstalledProgramFolder(appPath) && writeError(appPath, delivered) == 0)
        return {CatalogueChoice::Kind::Beside, delivered, {}};
    if (ownFolder.isEmpty())
        return readOnly(delivered, delivered, EACCES);
    const QByteArray own = ownFolder + kCatalogueFileName;
    struct stat st {};
    if (::lstat(own.constData(), &st) != 0 && errno == ENOENT) {
        if (const int error = makeOwnCopy(delivered, ownFolder, own))
            return readOnly(delivered, own, error);
    }
    if (const int error = copyProblem(own))
        return readOnly(delivered, own, error);
    if (const int error = writeError(ownFolder, own))
        return readOnly(own, own, error);
    return {CatalogueChoice::Kind::OwnCopy, own, {}};
}
