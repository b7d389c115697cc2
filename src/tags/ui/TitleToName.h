#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Whether a row's name takes part in renaming after the tag title: ".MP3" anywhere in it, ASCII
// letters compared without case.
bool ContainsMp3(QByteArrayView name);

// The name a file gets after its tag, by the option iT2FMode: 0 title, 1 artist-title, 2 title-artist,
// always with ".mp3". The bytes are the UTF-8 of the texts, so the name shows its characters in every
// program. Empty when the mode names no rule, when the result cannot be a visible name in the file's
// own folder (it starts with ".", holds "/" or a zero, or is longer than 255 bytes), or when the
// texts hold stand-ins for tag bytes that are no GBK character; such a file keeps its name.
QByteArray TitleFileName(int mode, const QString& title, const QString& artist);
