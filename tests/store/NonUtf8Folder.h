#pragma once

#include <QByteArray>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder named in GBK ("音乐", bytes that are no UTF-8) inside parent (ending in "/"), removed with
// the files in it at the end: QTemporaryDir cannot remove names that are no UTF-8.
class NonUtf8Folder {
public:
    explicit NonUtf8Folder(const QByteArray& parent) : path_(parent + "\xd2\xf4\xc0\xd6/")
    {
        made_ = ::mkdir(path_.constData(), 0755) == 0;
    }
    ~NonUtf8Folder()
    {
        if (DIR* dir = ::opendir(path_.constData())) {
            while (const dirent* entry = ::readdir(dir)) {
                const QByteArray name = entry->d_name;
                if (name != "." && name != "..")
                    ::unlink((path_ + name).constData());
            }
            ::closedir(dir);
        }
        ::rmdir(path_.constData());
    }
    NonUtf8Folder(const NonUtf8Folder&) = delete;
    NonUtf8Folder& operator=(const NonUtf8Folder&) = delete;

    bool Made() const { return made_; }
    // Ends in "/".
    const QByteArray& Path() const { return path_; }

    // Copies a file into the folder under name, keeping its mode; false when that fails.
    bool CopyIn(const char* source, const QByteArray& name) const
    {
        const int in = ::open(source, O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return false;
        struct stat st {};
        if (::fstat(in, &st) != 0) {
            ::close(in);
            return false;
        }
        const int out = ::open((path_ + name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                               st.st_mode & 0777);
        bool ok = out >= 0;
        char buffer[65536];
        ssize_t got = 0;
        while (ok && (got = ::read(in, buffer, sizeof buffer)) > 0)
            ok = ::write(out, buffer, got) == got;
        ok = ok && got == 0;
        ::close(in);
        if (out >= 0)
            ::close(out);
        return ok;
    }

private:
    QByteArray path_;
    bool made_ = false;
};
