#pragma once

#include "tags/OtherTag.h"

#include <QByteArray>
#include <QString>

// Making an MP3 file's tag readable by every player: an ID3v2.4 tag in UTF-8 (TIT2, TPE1, TALB,
// TDRC, COMM), the ID3v1 tag and every other ID3v2 frame kept.

struct UnicodePlan {
    TagFieldTexts texts;    // what the tag will hold
    bool unchanged = false; // the file already holds them readably: nothing is written
};

// The plan for a file whose row shows rowTexts. Where the file's ID3v2 field begins with the row's
// text (an ID3v1 field is cut at 30 bytes, its year has no month), the whole ID3v2 text is kept.
// Unchanged: the ID3v2 tag holds those texts and declares no GBK as ISO-8859-1, or there is no ID3v2
// tag and the texts are ASCII, which any player reads from the ID3v1 tag.
UnicodePlan PlanUnicode(const QByteArray& path, const TagFieldTexts& rowTexts);

struct TagWriteResult {
    bool ok = true;
    QString error; // why not, for the user
};

// Writes the texts into a copy beside the file, syncs it, checks that every byte after the ID3v2
// tag (the audio frames and the ID3v1 tag) is the same and that the tag reads back, and renames it
// over the file, keeping its mode. Any failure leaves the file as it was and no copy behind. A
// read-only file and one with other hard links are left alone.
TagWriteResult WriteUnicodeTag(const QByteArray& path, const TagFieldTexts& texts);
