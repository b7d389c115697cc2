#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// A start's command line as bytes: the folder it was started in and its arguments (file paths).
struct CommandLine {
    QByteArray workingFolder;
    QList<QByteArray> arguments;

    bool operator==(const CommandLine&) const = default;
};

// The arguments after the program's name as the system gave them (argv, not Qt's decoded copy), and the
// current folder.
CommandLine CommandLineOf(int argc, char** argv);

// What a hand-over may carry: the working folder and this many paths, this many bytes in all (the
// count and lengths included). Far beyond what a desktop hands over, small enough that a stranger
// cannot make the window's thread or memory pay for it.
inline constexpr quint32 kMaxHandOverPaths = 10000;
inline constexpr qsizetype kMaxHandOverBytes = 1024 * 1024;

// A count and then each piece (the working folder first), every one length-prefixed (32 bits, big-endian).
QByteArray EncodeCommandLine(const CommandLine& line);

// The command line with only the arguments that fit into one hand-over; dropped says how many did not.
CommandLine WithinHandOverCaps(const CommandLine& line, qsizetype& dropped);

// Reads one encoded command line as its bytes arrive, looking at each byte once.
class CommandLineReader {
public:
    enum class State { More, Done, Bad };

    // Bytes after a whole command line, a count or length that can be none, or more than the caps
    // allow make the reader Bad for good.
    State Feed(QByteArrayView bytes);
    State Current() const { return state_; }
    // Done: the command line read.
    const CommandLine& Line() const { return line_; }
    qsizetype BytesRead() const { return read_; }

private:
    bool TakeNumber(QByteArrayView& bytes, quint32& number);
    State PieceDone();

    State state_ = State::More;
    CommandLine line_;
    QByteArray piece_;
    char number_[4] = {};
    int numberFill_ = 0;
    bool inPiece_ = false;
    quint32 piecesRead_ = 0;
    quint32 piecesLeft_ = 0;
    quint32 pieceLeft_ = 0;
    qsizetype read_ = 0;
};

// Each argument as an absolute path: a relative one below the working folder.
QList<QByteArray> AbsolutePaths(const CommandLine& line);

// What the source pane shows for a set of paths: the folder of the first existing file (its real path,
// ending in "/") and the names of the given files that lie in it. A folder given first is shown itself.
struct FilesToOpen {
    QByteArray folder;
    QList<QByteArray> names;
};
FilesToOpen FilesInFolderOfFirst(const QList<QByteArray>& paths);
