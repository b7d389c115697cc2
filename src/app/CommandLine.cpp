#include "CommandLine.h"

#include <QtEndian>

#include <climits>
#include <cstring>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kNumberBytes = sizeof(quint32);

void appendPiece(QByteArray& out, const QByteArray& piece)
{
    const quint32 length = qToBigEndian(quint32(piece.size()));
    out.append(reinterpret_cast<const char*>(&length), sizeof length);
    out.append(piece);
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

CommandLine WithinHandOverCaps(const CommandLine& line, qsizetype& dropped)
{
    CommandLine fits{line.workingFolder, {}};
    qsizetype bytes = 2 * kNumberBytes + line.workingFolder.size();
    for (const QByteArray& argument : line.arguments) {
        bytes += kNumberBytes + argument.size();
        if (bytes > kMaxHandOverBytes || quint32(fits.arguments.size()) >= kMaxHandOverPaths)
            break;
        fits.arguments.append(argument);
    }
    dropped = line.arguments.size() - fits.arguments.size();
    return fits;
}

bool CommandLineReader::TakeNumber(QByteArrayView& bytes, quint32& number)
{
    const qsizetype take = qMin(bytes.size(), kNumberBytes - numberFill_);
    std::memcpy(number_ + numberFill_, bytes.data(), take);
    numberFill_ += int(take);
    bytes = bytes.sliced(take);
    if (numberFill_ < kNumberBytes)
        return false;
    numberFill_ = 0;
    number = qFromBigEndian<quint32>(number_);
    return true;
}

CommandLineReader::State CommandLineReader::PieceDone()
{
    // The first piece is the working folder, the others are arguments.
    if (piecesRead_++ == 0)
        line_.workingFolder = std::move(piece_);
    else
        line_.arguments.append(std::move(piece_));
    piece_ = QByteArray();
    inPiece_ = false;
    return --piecesLeft_ == 0 ? State::Done : State::More;
}

CommandLineReader::State CommandLineReader::Feed(QByteArrayView bytes)
{
    if (state_ != State::More)
        return state_ = bytes.isEmpty() ? state_ : State::Bad;
    read_ += bytes.size();
    if (read_ > kMaxHandOverBytes)
        return state_ = State::Bad;
    while (!bytes.isEmpty()) {
        if (inPiece_) {
            const qsizetype take = qMin(bytes.size(), qsizetype(pieceLeft_));
            piece_.append(bytes.first(take));
            bytes = bytes.sliced(take);
            pieceLeft_ -= quint32(take);
            if (pieceLeft_ == 0 && PieceDone() == State::Done)
                return state_ = bytes.isEmpty() ? State::Done : State::Bad;
            continue;
        }
        quint32 number = 0;
        if (!TakeNumber(bytes, number))
            break;
        if (piecesLeft_ == 0) {
            // The count: the working folder and at most so many paths.
            if (number == 0 || number > kMaxHandOverPaths + 1)
                return state_ = State::Bad;
            piecesLeft_ = number;
            continue;
        }
        // A length that the rest of the cap could not hold is refused before its bytes come.
        if (qsizetype(number) > kMaxHandOverBytes - read_ + bytes.size())
            return state_ = State::Bad;
        inPiece_ = true;
        pieceLeft_ = number;
        piece_.reserve(number);
        if (number == 0 && PieceDone() == State::Done)
            return state_ = bytes.isEmpty() ? State::Done : State::Bad;
    }
    return state_;
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
