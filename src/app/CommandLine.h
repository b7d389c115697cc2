#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// A start's command line as bytes: the folder it was started in and its arguments (file paths).
struct CommandLine {
    QByteArray workingFolder;
    QList<QByteArray> arguments;

    bool operator==(const CommandLine&) const = default;
};

// The arguments after the program's name as the system gave them (argv, not Qt's decoded copy), and the
// current folder.
CommandLine CommandLineOf(int argc, char** argv);

// A count and then each piece (the working folder first), every one length-prefixed (32 bits, big-endian).
QByteArray EncodeCommandLine(const CommandLine& line);

// Takes one whole command line off the front of buffer. Empty while it is incomplete; bad is set when the
// bytes can be none (a count or length past every sensible bound), and the buffer should be dropped.
std::optional<CommandLine> TakeCommandLine(QByteArray& buffer, bool& bad);

// Each argument as an absolute path: a relative one below the working folder.
QList<QByteArray> AbsolutePaths(const CommandLine& line);

// What the source pane shows for a set of paths: the folder of the first existing file (its real path,
// ending in "/") and the names of the given files that lie in it. A folder given first is shown itself.
struct FilesToOpen {
    QByteArray folder;
    QList<QByteArray> names;
};
FilesToOpen FilesInFolderOfFirst(const QList<QByteArray>& paths);
