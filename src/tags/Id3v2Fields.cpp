#include "tags/Id3v2Fields.h"

#include "tags/DeclaredLatin1.h"

#include <commentsframe.h>
#include <textidentificationframe.h>

using namespace TagLib;

namespace {

bool beyondAscii(const String& text)
{
    for (wchar_t c : text)
        if (c >= 0x80)
            return true;
    return false;
}

// The frame's text and its declared encoding, for the two kinds of frame the fields use.
bool textOf(const ID3v2::Frame& frame, String& text, String::Type& encoding)
{
    if (const auto* textFrame = dynamic_cast<const ID3v2::TextIdentificationFrame*>(&frame)) {
        text = textFrame->toString();
        encoding = textFrame->textEncoding();
        return true;
    }
    if (const auto* comment = dynamic_cast<const ID3v2::CommentsFrame*>(&frame)) {
        text = comment->text();
        encoding = comment->textEncoding();
        return true;
    }
    return false;
}

} // namespace

FieldFrames FieldFramesOf(const ID3v2::Tag& tag)
{
    FieldFrames frames {};
    const ID3v2::FrameListMap& map = tag.frameListMap();
    const char* const ids[] = {"TIT2", "TPE1", "TALB", "TDRC"};
    for (int f = 0; f < 4; ++f) {
        const auto it = map.find(ids[f]);
        if (it != map.end() && !it->second.isEmpty())
            frames[f] = it->second.front();
    }
    const auto comments = map.find("COMM");
    if (comments != map.end() && !comments->second.isEmpty()) {
        frames[4] = comments->second.front();
        for (ID3v2::Frame* frame : comments->second) {
            const auto* comment = dynamic_cast<const ID3v2::CommentsFrame*>(frame);
            if (comment && comment->description().isEmpty()) {
                frames[4] = frame;
                break;
            }
        }
    }
    return frames;
}

QString Latin1FieldText(const String& text)
{
    // TagLib reads a declared ISO-8859-1 byte as the character of that code, so the bytes come back whole.
    const ByteVector bytes = text.data(String::Latin1);
    return DeclaredLatin1Text(QByteArrayView(bytes.data(), bytes.size()));
}

QString FrameText(const ID3v2::Frame& frame)
{
    String text;
    String::Type encoding = String::UTF8;
    if (!textOf(frame, text, encoding))
        return {};
    return TrimmedTagText(encoding == String::Latin1 ? Latin1FieldText(text) : FromTagLib(text));
}

bool HasLatin1Bytes(const ID3v2::Frame& frame)
{
    String text;
    String::Type encoding = String::UTF8;
    return textOf(frame, text, encoding) && encoding == String::Latin1 && beyondAscii(text);
}

QString FromTagLib(const String& text)
{
    return QString::fromStdString(text.to8Bit(true));
}

String ToTagLib(const QString& text)
{
    return String(text.toStdString(), String::UTF8);
}

QString TrimmedTagText(QString text)
{
    text.replace(QChar(0), QChar(u' '));
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].unicode() <= 32)
        ++from;
    while (to > from && text[to - 1].unicode() <= 32)
        --to;
    return text.sliced(from, to - from);
}
