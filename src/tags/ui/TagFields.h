#pragma once

#include "tags/ID3v1Tag.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>

// The five text fields of a tag, in the order of the tag dialog's edits and of a pane's tag columns.
enum class TagField { Title, Artist, Album, Year, Comment };
inline constexpr int kTagFieldCount = 5;
inline constexpr TagField kTagFields[kTagFieldCount] = {TagField::Title, TagField::Artist, TagField::Album,
                                                        TagField::Year, TagField::Comment};

// A file row's tag cells follow its four file cells: the title is the row's column 5.
inline constexpr int kFirstTagColumn = 5;

using TagTexts = std::array<QString, kTagFieldCount>;
using TagBytes = std::array<QByteArray, kTagFieldCount>;

inline int Index(TagField field) { return static_cast<int>(field); }

// The field's width in the record: 30 bytes, 4 for the year.
int FieldWidth(TagField field);
// The field's caption, which is also its column's title: "音乐名", "艺术家" ...
QString FieldCaption(TagField field);

// The five fields as the tag holds them: bytes up to the first zero, blanks trimmed.
TagBytes FieldBytesOf(const ID3v1Tag& tag);
// The same decoded from GBK.
TagTexts FieldTextsOf(const TagBytes& bytes);

// The text without the blanks and control characters at either end.
QString TrimFieldText(QStringView text);

// Why an edit refuses a text: its GBK bytes do not fit the field, or it holds a character GBK lacks,
// which the tag could only store as a substitute.
enum class FieldRefusal { None, TooLong, NotGbk };
struct FieldCheck {
    FieldRefusal refusal = FieldRefusal::None;
    QString character; // the first character GBK lacks
};
FieldCheck CheckFieldText(QStringView text, int maxBytes);
// The message that tells the user why the field refused the text.
QString RefusalText(TagField field, const FieldCheck& check);

// The record a change writes: "TAG", zero genre, each changed non-empty text's GBK bytes in its field
// (cut to the field's width, never inside a character). An empty text, or one still equal to the one
// read, leaves its field empty, so the file keeps all of its stored bytes: bytes GBK cannot decode
// and an ID3v1.1 track number survive a change of another field.
ID3v1Tag PrepareTag(const TagTexts& texts, const TagTexts& readTexts);
