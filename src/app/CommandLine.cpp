#include "CommandLine.h"

#include <QtEndian>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far beyond what a desktop hands over, small enough that a broken sender cannot exhaust memory.
constexpr quint32 kMaxPieces = 100000;
constexpr quint32 kMaxPieceBytes = 64 * 1024;

void appendPiece(QByteArray& out, const QByteArray& piece)
{
    const quint32 length = qToBigEndian(quint32(piece.size()));
    out.append(reinterpret_cast<const char*>(&length), sizeof length);
    out.append(piece);
}

std::optional<quint32> numberAt(const QByteArray& buffer, qsizetype at)
{
    if (buffer.size() - at < qsizetype(sizeof(quint32)))
        return std::nullopt;
    return qFromBigEndian<quint32>(buffer.constData() + at);
}

QByteArray realFolder(const QByteArray& folder)
{
    char resolved[PATH_MAX];
    if (::realpath(folder.isEmpty() ? "/" : folder.constData(), resolved) == nullptr)
        return {};
    QByteArray real(resolved);
    return real.endsWith('/') ? real : real + '/';
}

} // namespace

CommandLine CommandLineOf(int argc, char** argv)
{
    CommandLine line;
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) != nullptr)
        line.workingFolder = folder;
    for (int i = 1; i < argc; ++i)
        line.arguments.append(QByteArray(argv[i]));
    return line;
}

QByteArray EncodeCommandLine(const CommandLine& line)
{
    QByteArray out;
    const quint32 count = qToBigEndian(quint32(line.arguments.size() + 1));
    out.append(reinterpret_cast<const char*>(&count), sizeof count);
    appendPiece(out, line.workingFolder);
    for (const QByteArray& argument : line.arguments)
        appendPiece(out, argument);
    return out;
}

std::optional<CommandLine> TakeCommandLine(QByteArray& buffer, bool& bad)
{
    bad = false;
    const std::optional<quint32> count = numberAt(buffer, 0);
    if (!count)
        return std::nullopt;
    if (*count == 0 || *count > kMaxPieces) {
        bad = true;
        return std::nullopt;
    }
    QList<QByteArray> pieces;
    qsizetype at = sizeof(quint32);
    for (quint32 i = 0; i < *count; ++i) {
        const std::optional<quint32> length = numberAt(buffer, at);
        if (!length)
            return std::nullopt;
        if (*length > kMaxPieceBytes) {
            bad = true;
            return std::nullopt;
        }
        at += sizeof(quint32);
        if (buffer.size() - at < qsizetype(*length))
            return std::nullopt;
        pieces.append(buffer.mid(at, *length));
        at += *length;
    }
    buffer.remove(0, at);
    CommandLine line;
    line.workingFolder = pieces.takeFirst();
    line.arguments = pieces;
    return line;
}

QList<QByteArray> AbsolutePaths(const CommandLine& line)
{
    QList<QByteArray> paths;
    for (const QByteArray& argument : line.arguments) {
        if (argument.isEmpty())
            continue;
        paths.append(argument.startsWith('/') ? argument : line.workingFolder + '/' + argument);
    }
    return paths;
}

FilesToOpen FilesInFolderOfFirst(const QList<QByteArray>& paths)
{
    FilesToOpen open;
    for (const QByteArray& path : paths) {
        struct stat st {};
        if (::stat(path.constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (open.folder.isEmpty())
                return {realFolder(path), {}};
            continue;
        }
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray folder = realFolder(path.left(slash));
        if (open.folder.isEmpty())
            open.folder = folder;
        if (!folder.isEmpty() && folder == open.folder)
            open.names.append(path.mid(slash + 1));
    }
    return open;
}
