#include "panes/FolderReader.h"

#include "panes/WildcardMask.h"
#include "tags/ID3v1Tag.h"
#include "tags/OtherTag.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool sameExtension(QByteArrayView name, QByteArrayView extension)
{
    return name.size() >= extension.size()
        && qstrnicmp(name.last(extension.size()).data(), extension.size(), extension.data(), extension.size()) == 0;
}

bool isPlaying(const QByteArray& folder, QByteArrayView name, const QByteArray& playing)
{
    return playing.size() == folder.size() + name.size() && playing.startsWith(folder) && playing.endsWith(name);
}

// The five text fields, each ended by a zero byte: what the tag cells show, and nothing else.
QByteArray tagFields(const ID3v1Tag& tag)
{
    static const QByteArray none(5, '\0');
    if (!HasTagHeader(tag))
        return none;
    QByteArray fields;
    for (const QByteArrayView field : {FieldView(tag.Title, sizeof tag.Title), FieldView(tag.Artist, sizeof tag.Artist),
                                       FieldView(tag.Album, sizeof tag.Album), FieldView(tag.Year, sizeof tag.Year),
                                       FieldView(tag.Comment, sizeof tag.Comment)}) {
        fields += field;
        fields += '\0';
    }
    return fields;
}

// The same for the texts of another tag, as UTF-8.
QByteArray tagFields(const TagFieldTexts& texts)
{
    QByteArray fields;
    for (const QString& text : texts) {
        fields += text.toUtf8();
        fields += '\0';
    }
    return fields;
}

} // namespace

FolderReader::FolderReader(const QByteArray& folder, ListRules rules)
    : folder_(folder), rules_(std::move(rules)), entries_(folder)
{
}

std::unique_ptr<IFolderReader> FolderReader::Make(const FolderReaderMaker& maker, const QByteArray& folder,
                                                  const ListRules& rules)
{
    return maker ? maker(folder, rules) : std::make_unique<FolderReader>(folder, rules);
}

bool FolderReader::Read(QList<FileEntry>& rows, int entries, const std::atomic<bool>& cancelled)
{
    return entries_.Read(entries, cancelled, [&](int folderFd, const dirent& entry) {
        FileEntry row;
        if (RowOf(folderFd, entry.d_name, row))
            rows.append(std::move(row));
    });
}

QList<FileEntry> FolderReader::ReadNames(const QSet<QByteArray>& names, const std::atomic<bool>& cancelled)
{
    QList<FileEntry> rows;
    if (entries_.Fd() < 0)
        return rows;
    for (const QByteArray& name : names) {
        if (cancelled)
            break;
        FileEntry row;
        if (!name.contains('/') && RowOf(entries_.Fd(), name.constData(), row))
            rows.append(std::move(row));
    }
    return rows;
}

bool FolderReader::RowOf(int dirFd, const char* entryName, FileEntry& row) const
{
    const QByteArrayView name(entryName);
    if (!MatchesMask(name, rules_.mask))
        return false;
    struct stat st {};
    // Folders, devices, pipes and broken links have no size to list.
    if (::fstatat(dirFd, entryName, &st, 0) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return false;
    if (name.startsWith('.') && !rules_.showHidden)
        return false;
    if (sameExtension(name, ".lnk"))
        return false;
    row.name = name.toByteArray();
    row.size = st.st_size;
    row.modified = st.st_mtim.tv_sec;
    row.readOnly = (st.st_mode & S_IWUSR) == 0;
    const bool mp3 = IsMp3Name(name);
    if ((mp3 || IsTaggedType(name)) && !isPlaying(folder_, name, rules_.playingFile)) {
        ID3v1Tag tag {};
        // An unreadable file shows empty tag cells; the rest of the folder still lists.
        if (mp3)
            ReadID3v1TagAt(dirFd, entryName, st.st_size, tag);
        // Only a file without an ID3v1 tag is opened by TagLib.
        std::optional<TagFieldTexts> other;
        if (!HasTagHeader(tag))
            other = ReadOtherTag(dirFd, entryName);
        row.tagCells = mp3 || other.has_value();
        row.tagUtf8 = other.has_value();
        if (row.tagCells)
            row.tag = other ? tagFields(*other) : tagFields(tag);
    }
    return true;
}
