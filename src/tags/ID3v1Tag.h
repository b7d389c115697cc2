#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "tags/GbkCodec.h"

#include <cstddef>

// Byte image of the last 128 bytes of an MP3 file. Text fields hold GBK bytes,
// padded with zero bytes, with no terminator required.
struct ID3v1Tag {
    char Header[3];
    char Title[30];
    char Artist[30];
    char Album[30];
    char Year[4];
    char Comment[30];
    unsigned char Genre;
};
static_assert(sizeof(ID3v1Tag) == 128, "ID3v1Tag must be the 128-byte block");

// Results of WriteID3v1Tag.
enum : int {
    kTagWritten = 0,
    kTagNotMp3 = 1,
    kTagMissing = 2,  // the file has no tag (or is shorter than one); nothing written
    kTagReadOnly = 3, // read-only and could not be made writable, or missing
    kTagIoError = 4,  // opening, reading or writing failed; the error text says why
};

// The extension from the last "." of the file-name part, ASCII upper-cased, is ".MP3".
bool IsMp3Name(QByteArrayView fileName);

// "TAG", the five text fields zeroed, the genre kept.
void ClearID3Tag(ID3v1Tag& tag);

// Starts with "TAG".
bool HasTagHeader(const ID3v1Tag& tag);

// A field's text: its bytes up to the first zero byte, with leading and
// trailing bytes of code 32 or less removed.
QByteArrayView FieldView(const char* field, std::size_t width);
template <std::size_t N>
QByteArray FieldBytes(const char (&field)[N]) { return FieldView(field, N).toByteArray(); }

// The same, decoded from GBK.
template <std::size_t N>
QString FieldText(const char (&field)[N]) { return GbkToText(FieldView(field, N)); }

// Copies the last 128 bytes of an existing MP3 file into tag. A missing file,
// a name that is not an MP3 name and a file shorter than 128 bytes leave tag as
// it was and count as success. Returns false, with the system's text in
// *error, when the file exists but cannot be opened or read.
bool ReadID3v1Tag(const QByteArray& fileName, ID3v1Tag& tag, QString* error = nullptr);

// The same for the entry `name` of an open folder whose size is already known.
bool ReadID3v1TagAt(int dirFd, const char* name, long long size, ID3v1Tag& tag);

// Merges tag with the file's tag (empty fields and the genre from the file)
// and writes it over the old one. Never adds a tag. A read-only file is made
// writable for the write and read-only again afterwards. On kTagIoError the
// system's text is in *error.
int WriteID3v1Tag(const QByteArray& fileName, ID3v1Tag tag, QString* error = nullptr);
