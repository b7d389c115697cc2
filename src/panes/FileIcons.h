#pragma once

#include <QByteArray>
#include <QIcon>

// The small icon of a file's type, from the MIME database and the icon theme
// (the file's name, and its first bytes when the name tells nothing); null
// when the theme has none.
QIcon GetSmallFileIcon(const QByteArray& path);

// Where the list builder gets icons from.
class IFileIcons {
public:
    virtual ~IFileIcons() = default;
    virtual QIcon SmallFileIcon(const QByteArray& path) = 0;
};

class ShellFileIcons : public IFileIcons {
public:
    QIcon SmallFileIcon(const QByteArray& path) override { return GetSmallFileIcon(path); }
};
