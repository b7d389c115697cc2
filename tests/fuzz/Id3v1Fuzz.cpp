// The ID3v1 tag reader and the merge that writes a tag: the first 128 bytes
// are the tag to write, the rest the file.
#include "tags/ID3v1Tag.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long long FileSize(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 ? st.st_size : -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QByteArray path = dir.path().toUtf8() + "/fuzz.mp3";
    if (size < sizeof(ID3v1Tag))
        return 0;
    ID3v1Tag given;
    std::memcpy(&given, data, sizeof given);
    std::memcpy(given.Header, "TAG", 3);  // as every caller passes it
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const size_t body = size - sizeof given;
    if (fd < 0 || ::write(fd, data + sizeof given, body) != static_cast<ssize_t>(body))
        std::abort();
    ::close(fd);

    ID3v1Tag before;
    std::memset(&before, 0, sizeof before);
    if (!ReadID3v1Tag(path, before))
        std::abort();
    const int result = WriteID3v1Tag(path, given);
    if (FileSize(path) != static_cast<long long>(body))
        std::abort();  // a tag is never added, never cut
    ID3v1Tag after;
    std::memset(&after, 0, sizeof after);
    if (!ReadID3v1Tag(path, after))
        std::abort();
    if (result == kTagWritten && (!HasTagHeader(after) || after.Genre != before.Genre))
        std::abort();  // the file's genre stays
    if (result != kTagWritten && std::memcmp(&before, &after, sizeof before) != 0)
        std::abort();  // nothing written means nothing changed
    return 0;
}
