#include "tags/ColumnTexts.h"

#include <fcntl.h>
#include <unistd.h>

TagFieldTexts ID3v1Texts(const ID3v1Tag& tag)
{
    return {FieldText(tag.Title), FieldText(tag.Artist), FieldText(tag.Album), FieldText(tag.Year),
            FieldText(tag.Comment)};
}

std::optional<TagFieldTexts> ReadColumnTexts(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    if (IsMp3Name(name)) {
        ID3v1Tag tag {};
        if (ReadID3v1Tag(path, tag) && HasTagHeader(tag))
            return ID3v1Texts(tag);
    }
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return std::nullopt;
    std::optional<TagFieldTexts> texts = ReadOtherTag(dirFd, name.constData());
    ::close(dirFd);
    return texts;
}
