#include "panes/FileIcons.h"

#include "tags/NameText.h"

#include <QMimeDatabase>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The first bytes of a file, for types its name does not tell.
QByteArray head(const QByteArray& path)
{
    QByteArray data(512, '\0');
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    const ssize_t got = ::read(fd, data.data(), data.size());
    ::close(fd);
    data.resize(got > 0 ? got : 0);
    return data;
}

} // namespace

QIcon GetSmallFileIcon(const QByteArray& path, const QIcon& fallback)
{
    const QMimeDatabase db;
    const QString name = DisplayName(path.sliced(path.lastIndexOf('/') + 1));
    QMimeType type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    if (type.isDefault())
        type = db.mimeTypeForFileNameAndData(name, head(path));
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    return icon.isNull() ? fallback : icon;
}

QIcon ExeFileIcon()
{
    Q_INIT_RESOURCE(icons);
    return QIcon(QStringLiteral(":/icons/fileExe.svg"));
}
