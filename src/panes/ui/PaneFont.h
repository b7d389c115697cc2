#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The one font of the whole window: 宋体 (SimSun) 9 pt where installed, else the application's
// default font at 9 pt with a CJK sans for the Chinese glyphs.
QFont PaneFont();

// The families of that font, given the installed families that write Simplified Chinese and the
// application's default family: 宋体 or SimSun; else the default family, followed, when it writes no
// Chinese, by the first CJK sans found. Latin text stays in the default family: in a CJK face the
// narrow "." between two "*" makes "*.*" read "**".
QStringList PaneFontFamilies(const QStringList& chineseFamilies, const QString& defaultFamily);
