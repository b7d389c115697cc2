#pragma once

// Within tags/ only: the five fields of an ID3v2 tag as TagLib holds them.
#include "tags/OtherTag.h"

#include <id3v2frame.h>
#include <id3v2tag.h>
#include <tstring.h>

#include <QString>

// The frame of each field, or null: TIT2, TPE1, TALB, TDRC (TagLib makes TYER into it) and the
// comment that TagLib's own reader takes (the first COMM without a description, else the first).
using FieldFrames = std::array<TagLib::ID3v2::Frame*, 5>;
FieldFrames FieldFramesOf(const TagLib::ID3v2::Tag& tag);

// The frame's text as the columns show it, trimmed.
QString FrameText(const TagLib::ID3v2::Frame& frame);
// The frame is declared ISO-8859-1 and holds a byte beyond ASCII, which readers other than ours show
// as Latin-1.
bool HasLatin1Bytes(const TagLib::ID3v2::Frame& frame);
// A text read under a declared ISO-8859-1 encoding, as the columns show it.
QString Latin1FieldText(const TagLib::String& text);

QString FromTagLib(const TagLib::String& text);
TagLib::String ToTagLib(const QString& text);
// Without blanks and control characters at either end, and without zero characters.
QString TrimmedTagText(QString text);
