#pragma once

#include "tags/ID3v1Tag.h"
#include "tags/OtherTag.h"

#include <QByteArray>

#include <optional>

// The five texts of an ID3v1 tag, decoded from GBK as the tag columns show them.
TagFieldTexts ID3v1Texts(const ID3v1Tag& tag);

// The texts the tag columns show for the file at `path`: an MP3 file's ID3v1 tag where it has one,
// else its other tag; none where it has neither or cannot be read.
std::optional<TagFieldTexts> ReadColumnTexts(const QByteArray& path);
