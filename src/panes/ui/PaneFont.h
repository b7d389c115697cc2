#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The one font of the whole window: 宋体 (SimSun) 9 pt where installed, else the application's
// default CJK sans at 9 pt.
QFont PaneFont();

// The family of that font, given the installed families that write Simplified Chinese and the
// application's default family: 宋体 or SimSun; else the default family when it writes Chinese; else
// the first CJK sans found. A CJK serif stands in for nothing: its small "*" turns "*.*" into "**".
QString PaneFontFamily(const QStringList& chineseFamilies, const QString& defaultFamily);
