#include "panes/FillFileList.h"

#include "panes/FileIcons.h"
#include "panes/FileListModel.h"
#include "panes/FileTimeText.h"
#include "panes/NumberText.h"
#include "panes/PaneStatus.h"
#include "panes/WildcardMask.h"
#include "tags/ID3v1Tag.h"
#include "tags/NameText.h"

#include <QHash>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Which cells the column titles ask for, in row order.
struct CellSet {
    bool type, size, attributes, time;
    bool tag[5];

    explicit CellSet(const QString& titles)
        : type(titles.contains(QStringLiteral("类型")))
        , size(titles.contains(QStringLiteral("大小")))
        , attributes(titles.contains(QStringLiteral("属性")))
        , time(titles.contains(QStringLiteral("修改时间")))
        , tag {titles.contains(QStringLiteral("音乐名")), titles.contains(QStringLiteral("艺术家")),
               titles.contains(QStringLiteral("唱片标题")), titles.contains(QStringLiteral("发行年")),
               titles.contains(QStringLiteral("附注"))}
    {
    }
};

// The extension with its dot, ASCII upper-cased; empty without a dot.
QByteArray upperExtension(QByteArrayView name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : name.sliced(dot).toByteArray().toUpper();
}

QString sizeText(long long size, const THead& head, const QString& decimalPoint)
{
    if (head.iFileSizeUnit == 0)
        return QString::number(size / 1024) + QStringLiteral("KB");
    return GeneralNumber(static_cast<double>(size) / 1048576.0, 3, decimalPoint) + QStringLiteral("MB");
}

QString attributeText(bool readOnly, bool hidden)
{
    if (readOnly && hidden)
        return QStringLiteral("只读/隐藏");
    if (readOnly)
        return QStringLiteral("只读");
    if (hidden)
        return QStringLiteral("隐藏");
    return QStringLiteral("无属性文件");
}

void addTagCells(QStringList& cells, const ID3v1Tag& tag, const CellSet& want)
{
    const bool tagged = HasTagHeader(tag);
    const auto add = [&](bool wanted, const auto& field) {
        if (wanted)
            cells.append(tagged ? FieldText(field) : QString());
    };
    add(want.tag[0], tag.Title);
    add(want.tag[1], tag.Artist);
    add(want.tag[2], tag.Album);
    add(want.tag[3], tag.Year);
    add(want.tag[4], tag.Comment);
}

// One row per matching regular file, in the order the folder gives them.
QList<FileRow> listRows(const QByteArray& folder, const QByteArray& mask, const THead& head,
                        const QLocale& locale)
{
    QList<FileRow> rows;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return rows;
    const int dirFd = ::dirfd(dir);
    const CellSet want(head.ColumnTitles);
    const QString decimalPoint = locale.decimalPoint();
    FileTimeText times(locale);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!MatchesMask(name, mask))
            continue;
        struct stat st {};
        // Folders, devices, pipes and broken links have no size to list.
        if (::fstatat(dirFd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
            continue;
        const bool hidden = name.startsWith('.');
        if (hidden && !head.bShowHideSys)
            continue;
        const QByteArray extension = upperExtension(name);
        if (extension == ".LNK")
            continue;

        FileRow row;
        row.name = name.toByteArray();
        row.caption = DisplayName(name);
        row.cells.reserve(9);
        if (want.type) {
            const qsizetype dot = row.caption.lastIndexOf(u'.');
            row.cells.append(dot < 0 ? QString() : row.caption.sliced(dot + 1).left(5));
        }
        if (want.size)
            row.cells.append(sizeText(st.st_size, head, decimalPoint));
        if (want.attributes)
            row.cells.append(attributeText((st.st_mode & S_IWUSR) == 0, hidden));
        if (want.time)
            row.cells.append(times.Text(st.st_mtim.tv_sec));
        if (extension == ".MP3" && folder + row.name != head.PlayingFile) {
            ID3v1Tag tag {};
            // An unreadable file shows empty tag cells; the rest of the folder still lists.
            ReadID3v1TagAt(dirFd, entry->d_name, st.st_size, tag);
            addTagCells(row.cells, tag, want);
        }
        rows.append(std::move(row));
    }
    ::closedir(dir);
    return rows;
}

bool isFolder(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0;
}

void assignIcons(FileListModel& list, const QByteArray& folder, IFileIcons& icons)
{
    if (list.RowCount() == 0 || !isFolder(folder))
        return;
    QHash<QByteArray, int> imageOf {{QByteArrayLiteral(".EXE"), 0}};
    list.RemoveImagesButFixed();
    for (int r = 0; r < list.RowCount(); ++r) {
        const QByteArray& name = list.Row(r).name;
        const QByteArray extension = upperExtension(name);
        auto known = imageOf.constFind(extension);
        if (known == imageOf.constEnd()) {
            // The icon comes from the first file of its type that is still there.
            const QByteArray path = folder + name;
            if (!exists(path))
                continue;
            known = imageOf.insert(extension, list.AddImage(icons.SmallFileIcon(path)));
        }
        list.SetImageIndex(r, known.value());
    }
}

} // namespace

void FillFileList(FileListModel& list, const QByteArray& folder, IStatusPanels& panels,
                  const QString& mask, const THead& head, const QLocale& locale)
{
    ShellFileIcons icons;
    FillFileList(list, folder, panels, mask, head, locale, icons);
}

void FillFileList(FileListModel& list, const QByteArray& folder, IStatusPanels& panels,
                  const QString& mask, const THead& head, const QLocale& locale,
                  IFileIcons& icons)
{
    list.Clear();
    list.AppendRows(listRows(folder, mask.toUtf8(), head, locale));
    UpdatePaneStatus(list, 0, panels, head, locale);
    assignIcons(list, folder, icons);
}
