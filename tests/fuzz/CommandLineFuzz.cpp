// The reader of a hand-over message: the first byte chooses the size of the pieces the rest arrives
// in. Whatever the bytes, a command line read whole encodes back to exactly the bytes fed, and the
// pieces never change the outcome.
#include "app/CommandLine.h"

#include <cstdlib>

namespace {

CommandLineReader::State ReadInPieces(CommandLineReader& reader, QByteArrayView bytes, qsizetype piece)
{
    for (qsizetype at = 0; at < bytes.size() && reader.Current() == CommandLineReader::State::More; at += piece)
        reader.Feed(bytes.sliced(at, qMin(piece, bytes.size() - at)));
    return reader.Current();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    CommandLineReader whole, pieces;
    const CommandLineReader::State state = whole.Feed(bytes);
    if (ReadInPieces(pieces, bytes, piece) == CommandLineReader::State::Done && state != CommandLineReader::State::Done
        && pieces.BytesRead() == bytes.size())
        std::abort();  // the same bytes read whole and in pieces
    if (state == CommandLineReader::State::Done) {
        if (EncodeCommandLine(whole.Line()) != bytes || !(pieces.Line() == whole.Line()))
            std::abort();
        qsizetype dropped = 0;
        if (!(WithinHandOverCaps(whole.Line(), dropped) == whole.Line()) || dropped != 0)
            std::abort();  // what the reader takes a sender sends whole
    }
    if (whole.BytesRead() > kMaxHandOverBytes && state != CommandLineReader::State::Bad)
        std::abort();
    return 0;
}
