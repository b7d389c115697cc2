#pragma once

#include <QByteArray>
#include <QIcon>

// The small icon of a file's type: the icon theme's MIME icon (found by the file's name, and by its
// first bytes when the name tells nothing), else fallback.
QIcon GetSmallFileIcon(const QByteArray& path, const QIcon& fallback);

// Image 0 of every file list, the fixed icon of .EXE rows: the program's own, whatever the theme.
QIcon ExeFileIcon();

// Where the list builder gets icons from.
class IFileIcons {
public:
    virtual ~IFileIcons() = default;
    virtual QIcon SmallFileIcon(const QByteArray& path) = 0;
};

class ShellFileIcons : public IFileIcons {
public:
    // fallback: for types the theme has no icon for (a machine without an icon theme has none at
    // all), the style's standard file icon. Widget-free callers have no style and pass none.
    explicit ShellFileIcons(QIcon fallback = {}) : fallback_(std::move(fallback)) {}
    QIcon SmallFileIcon(const QByteArray& path) override { return GetSmallFileIcon(path, fallback_); }

private:
    QIcon fallback_;
};
