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

#include <cstring>

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

// The extension with its dot; empty without a dot.
QByteArrayView extensionOf(QByteArrayView name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArrayView() : name.sliced(dot);
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool sameExtension(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}

bool isPlaying(const QByteArray& folder, QByteArrayView name, const THead& head)
{
    const QByteArray& playing = head.PlayingFile;
    return playing.size() == folder.size() + name.size() && playing.startsWith(folder)
        && playing.endsWith(name);
}

QString sizeText(long long size, const THead& head, const QString& decimalPoint)
{
    if (head.iFileSizeUnit == 0) {
        // Written by hand: this runs once per listed file.
        char text[32];
        char* p = text + sizeof text;
        *--p = 'B';
        *--p = 'K';
        long long kilobytes = size / 1024;
        do {
            *--p = static_cast<char>('0' + kilobytes % 10);
            kilobytes /= 10;
        } while (kilobytes > 0);
        return QString::fromLatin1(p, text + sizeof text - p);
    }
    return GeneralNumber(static_cast<double>(size) / 1048576.0, 3, decimalPoint) + QStringLiteral("MB");
}

// The files of a folder often share an artist, an album or a type: repeat
// the previous row's text instead of decoding the same bytes again.
class RepeatedText {
public:
    template <typename Decode>
    QString Text(QByteArrayView bytes, Decode decode)
    {
        if (!known_ || bytes != QByteArrayView(bytes_)) {
            // Reuses the buffer: most fields differ from row to row.
            bytes_.resize(bytes.size());
            if (!bytes.isEmpty())
                std::memcpy(bytes_.data(), bytes.data(), bytes.size());
            text_ = decode(bytes);
            known_ = true;
        }
        return text_;
    }

private:
    bool known_ = false;
    QByteArray bytes_;
    QString text_;
};

struct TagTexts {
    RepeatedText fields[5];

    void Add(QStringList& cells, const ID3v1Tag& tag, const CellSet& want)
    {
        const bool tagged = HasTagHeader(tag);
        const QByteArrayView views[5] = {FieldView(tag.Title, sizeof tag.Title),
                                         FieldView(tag.Artist, sizeof tag.Artist),
                                         FieldView(tag.Album, sizeof tag.Album),
                                         FieldView(tag.Year, sizeof tag.Year),
                                         FieldView(tag.Comment, sizeof tag.Comment)};
        for (int f = 0; f < 5; ++f)
            if (want.tag[f])
                cells.append(tagged ? fields[f].Text(views[f], GbkToText) : QString());
    }
};

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
    RepeatedText types;
    TagTexts tagTexts;
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
        const QByteArrayView extension = extensionOf(name);
        if (sameExtension(extension, ".lnk"))
            continue;

        FileRow row;
        row.name = name.toByteArray();
        row.caption = DisplayName(name);
        row.cells.reserve(9);
        if (want.type) {
            const auto typeText = [&](QByteArrayView) {
                const qsizetype dot = row.caption.lastIndexOf(u'.');
                return dot < 0 ? QString() : row.caption.sliced(dot + 1).left(5);
            };
            // Only an ASCII extension reads the same whatever the rest of the name is.
            row.cells.append(isAscii(extension) ? types.Text(extension, typeText) : typeText(extension));
        }
        if (want.size)
            row.cells.append(sizeText(st.st_size, head, decimalPoint));
        if (want.attributes)
            row.cells.append(AttributeText((st.st_mode & S_IWUSR) == 0, hidden));
        if (want.time)
            row.cells.append(times.Text(st.st_mtim.tv_sec));
        if (sameExtension(extension, ".mp3") && !isPlaying(folder, name, head)) {
            ID3v1Tag tag {};
            // An unreadable file shows empty tag cells; the rest of the folder still lists.
            ReadID3v1TagAt(dirFd, entry->d_name, st.st_size, tag);
            tagTexts.Add(row.cells, tag, want);
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
    QList<int> images(list.RowCount(), -1);
    // Files of one type tend to come together; the last one saves a look-up.
    QByteArrayView lastExtension;
    int lastImage = -1;
    for (int r = 0; r < list.RowCount(); ++r) {
        const QByteArray& name = list.Row(r).name;
        const QByteArrayView extension = extensionOf(name);
        if (lastImage >= 0 && sameExtension(extension, lastExtension)) {
            images[r] = lastImage;
            continue;
        }
        const QByteArray upper = extension.toByteArray().toUpper();
        auto known = imageOf.constFind(upper);
        if (known == imageOf.constEnd()) {
            // The icon comes from the first file of its type that is still there.
            const QByteArray path = folder + name;
            if (!exists(path))
                continue;
            known = imageOf.insert(upper, list.AddImage(icons.SmallFileIcon(path)));
        }
        images[r] = lastImage = known.value();
        lastExtension = extension;
    }
    list.SetImageIndexes(images);
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

QString AttributeText(bool readOnly, bool hidden)
{
    if (readOnly && hidden)
        return QStringLiteral("只读/隐藏");
    if (readOnly)
        return QStringLiteral("只读");
    if (hidden)
        return QStringLiteral("隐藏");
    return QStringLiteral("无属性文件");
}
