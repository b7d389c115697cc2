#pragma once

#include <QByteArray>

#include <dirent.h>

#include <atomic>

// The entries of one folder as the system lists them, read a few at a time by one
// thread at a time.
class FolderEntries {
public:
    explicit FolderEntries(const QByteArray& folder) : dir_(::opendir(folder.constData())) {}
    ~FolderEntries() { Close(); }
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    // The folder for the *at calls; -1 when it could not be opened or has ended.
    int Fd() const { return dir_ ? ::dirfd(dir_) : -1; }

    // Hands up to `count` more entries to take(folderFd, entry), fewer once `cancelled`
    // is set; false once the folder has ended (or was none).
    template <class Take>
    bool Read(int count, const std::atomic<bool>& cancelled, Take&& take)
    {
        for (int seen = 0; seen < count && !cancelled; ++seen) {
            const dirent* entry = dir_ ? ::readdir(dir_) : nullptr;
            if (!entry) {
                Close();
                return false;
            }
            take(::dirfd(dir_), *entry);
        }
        return true;
    }

private:
    void Close()
    {
        if (dir_)
            ::closedir(dir_);
        dir_ = nullptr;
    }

    DIR* dir_ = nullptr;
};
