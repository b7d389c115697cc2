#include "tags/UnicodeTag.h"

#include "tags/Id3v2Fields.h"

#include <commentsframe.h>
#include <id3v2framefactory.h>
#include <mpegfile.h>
#include <textidentificationframe.h>
#include <tfilestream.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

using namespace TagLib;

namespace {

const char* const kFrameIds[] = {"TIT2", "TPE1", "TALB", "TDRC"};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// An MP3 file over its own duplicate of fd; only its tags are read.
struct MpegFile {
    MpegFile(int fd, bool writable)
        : stream(::dup(fd), !writable), file(&stream, ID3v2::FrameFactory::instance(), false)
    {
    }
    FileStream stream;
    MPEG::File file;
};

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The bytes before the audio: the ID3v2 tag at the start with its padding and footer, or none.
long long audioStart(int fd)
{
    unsigned char h[10];
    if (::pread(fd, h, sizeof h, 0) != sizeof h || std::memcmp(h, "ID3", 3) != 0 || h[3] == 0xFF || h[4] == 0xFF)
        return 0;
    long long size = 0;
    for (int i = 6; i < 10; ++i) {
        if (h[i] >= 0x80)
            return 0;
        size = size << 7 | h[i];
    }
    return 10 + size + ((h[5] & 0x10) ? 10 : 0);
}

long long sizeOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

// Everything after the ID3v2 tag is the same bytes in both files.
bool sameAudio(int oldFd, int newFd)
{
    const long long oldStart = audioStart(oldFd);
    const long long newStart = audioStart(newFd);
    const long long length = sizeOf(oldFd) - oldStart;
    if (length < 0 || sizeOf(newFd) - newStart != length)
        return false;
    constexpr long long kBlock = 1 << 16;
    QByteArray a(kBlock, '\0');
    QByteArray b(kBlock, '\0');
    for (long long done = 0; done < length;) {
        const auto want = static_cast<size_t>(std::min(kBlock, length - done));
        if (::pread(oldFd, a.data(), want, oldStart + done) != static_cast<ssize_t>(want)
            || ::pread(newFd, b.data(), want, newStart + done) != static_cast<ssize_t>(want)
            || std::memcmp(a.constData(), b.constData(), want) != 0)
            return false;
        done += static_cast<long long>(want);
    }
    return true;
}

// 0 or the errno.
int copyAll(int from, int to)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 20, 0);
        if (copied == 0)
            return 0;
        if (copied > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return errno;
        break;
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t put = 0; put < got;) {
            const ssize_t wrote = ::write(to, buffer + put, static_cast<size_t>(got - put));
            if (wrote < 0 && errno != EINTR)
                return errno;
            put += wrote > 0 ? wrote : 0;
        }
    }
}

void setFields(ID3v2::Tag& tag, const TagFieldTexts& texts)
{
    const FieldFrames frames = FieldFramesOf(tag);
    for (int f = 0; f < 4; ++f) {
        auto* frame = dynamic_cast<ID3v2::TextIdentificationFrame*>(frames[f]);
        if (frames[f] && (!frame || texts[f].isEmpty())) {
            tag.removeFrame(frames[f]);
            frame = nullptr;
        }
        if (texts[f].isEmpty())
            continue;
        if (!frame) {
            frame = new ID3v2::TextIdentificationFrame(kFrameIds[f], String::UTF8);
            tag.addFrame(frame);
        }
        frame->setTextEncoding(String::UTF8);
        frame->setText(ToTagLib(texts[f]));
    }
    auto* comment = dynamic_cast<ID3v2::CommentsFrame*>(frames[4]);
    if (texts[4].isEmpty()) {
        if (comment)
            tag.removeFrame(comment);
        return;
    }
    if (!comment) {
        comment = new ID3v2::CommentsFrame(String::UTF8);
        comment->setLanguage("XXX");
        tag.addFrame(comment);
    }
    if (comment->textEncoding() == String::Latin1)
        comment->setDescription(ToTagLib(Latin1FieldText(comment->description())));
    comment->setTextEncoding(String::UTF8);
    comment->setText(ToTagLib(texts[4]));
}

// The written file's tag holds the texts, in UTF-8.
bool readsBack(int fd, const TagFieldTexts& texts)
{
    MpegFile written(fd, false);
    if (!written.file.isValid() || !written.file.hasID3v2Tag())
        return false;
    const FieldFrames frames = FieldFramesOf(*written.file.ID3v2Tag());
    for (std::size_t f = 0; f < frames.size(); ++f)
        if ((frames[f] ? FrameText(*frames[f]) : QString()) != texts[f]
            || (frames[f] && HasLatin1Bytes(*frames[f])))
            return false;
    return true;
}

// The steps after the copy is made: tag, sync, check, rename.
TagWriteResult convertCopy(int oldFd, int newFd, const QByteArray& temp, const QByteArray& target,
                           const struct stat& before, const TagFieldTexts& texts)
{
    {
        MpegFile copy(newFd, true);
        if (!copy.file.isValid())
            return {false, QStringLiteral("不是能读的MP3文件")};
        setFields(*copy.file.ID3v2Tag(true), texts);
        if (!copy.file.save(MPEG::File::ID3v2, File::StripNone, ID3v2::v4, File::DoNotDuplicate))
            return {false, QStringLiteral("TagLib不能写入标签")};
    }
    // The owner stays; only a file of another owner that we may not give back is refused.
    if (::fchown(newFd, before.st_uid, before.st_gid) != 0 && (before.st_uid != ::geteuid() || before.st_gid != ::getegid()))
        return {false, QStringLiteral("不能保留文件的所有者")};
    if (::fchmod(newFd, before.st_mode & 07777) != 0 || ::fsync(newFd) != 0)
        return {false, systemError(errno)};
    if (!sameAudio(oldFd, newFd))
        return {false, QStringLiteral("写入后的音频数据与原文件不同")};
    if (!readsBack(newFd, texts))
        return {false, QStringLiteral("写入后读出的标签与要写的不同")};
    struct stat now {};
    if (::stat(target.constData(), &now) != 0 || now.st_ino != before.st_ino || now.st_dev != before.st_dev
        || now.st_size != before.st_size || now.st_mtim.tv_sec != before.st_mtim.tv_sec
        || now.st_mtim.tv_nsec != before.st_mtim.tv_nsec)
        return {false, QStringLiteral("转换期间文件被改动")};
    if (::rename(temp.constData(), target.constData()) != 0)
        return {false, systemError(errno)};
    return {};
}

} // namespace

UnicodePlan PlanUnicode(const QByteArray& path, const TagFieldTexts& rowTexts)
{
    UnicodePlan plan;
    for (std::size_t f = 0; f < rowTexts.size(); ++f)
        plan.texts[f] = TrimmedTagText(rowTexts[f]);
    const Fd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    MpegFile mp3(fd.get(), false);
    if (fd.get() < 0 || !mp3.file.isValid())
        return plan;
    if (!mp3.file.hasID3v2Tag()) {
        plan.unchanged = std::all_of(plan.texts.begin(), plan.texts.end(), isAscii);
        return plan;
    }
    const FieldFrames frames = FieldFramesOf(*mp3.file.ID3v2Tag());
    bool same = true;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const QString stored = frames[f] ? FrameText(*frames[f]) : QString();
        QString start = plan.texts[f];
        // A double-byte character cut at the end of an ID3v1 field decodes as a replacement.
        while (start.endsWith(QChar::ReplacementCharacter))
            start.chop(1);
        if (stored.startsWith(start))
            plan.texts[f] = stored;
        same = same && plan.texts[f] == stored && !(frames[f] && HasLatin1Bytes(*frames[f]));
    }
    plan.unchanged = same;
    return plan;
}

TagWriteResult WriteUnicodeTag(const QByteArray& path, const TagFieldTexts& texts)
{
    // A link is followed: the file it names is converted, and the link stays.
    char* resolved = ::realpath(path.constData(), nullptr);
    if (!resolved)
        return {false, systemError(errno)};
    const QByteArray target(resolved);
    std::free(resolved);
    struct stat before {};
    if (::stat(target.constData(), &before) != 0)
        return {false, systemError(errno)};
    if (!S_ISREG(before.st_mode))
        return {false, QStringLiteral("不是普通文件")};
    if ((before.st_mode & S_IWUSR) == 0)
        return {false, QStringLiteral("文件只读")};
    if (before.st_nlink > 1)
        return {false, QStringLiteral("文件另有硬链接，替换会把它们分开")};
    const Fd oldFd(::open(target.constData(), O_RDONLY | O_CLOEXEC));
    if (oldFd.get() < 0)
        return {false, systemError(errno)};

    QByteArray temp = target.left(target.lastIndexOf('/') + 1) + ".melvane-unicode-XXXXXX";
    const Fd newFd(::mkostemp(temp.data(), O_CLOEXEC));
    if (newFd.get() < 0)
        return {false, systemError(errno)};
    TagWriteResult result;
    if (const int error = copyAll(oldFd.get(), newFd.get()))
        result = {false, systemError(error)};
    else
        result = convertCopy(oldFd.get(), newFd.get(), temp, target, before, texts);
    if (!result.ok) {
        ::unlink(temp.constData());
        return result;
    }
    const Fd folder(::open(target.left(target.lastIndexOf('/') + 1).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return result;
}
