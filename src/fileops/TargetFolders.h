#pragma once

#include <QByteArray>
#include <QString>

// The texts and the same-folder rule of the used-target-folders dialog.

namespace TargetTexts {

inline const char* const kDeleteOneQuestion = "您确定要删除选择的记录吗？";
inline const char* const kDeleteAllQuestion = "您确定要删除所有的记录吗？";

QString CopyTitle(const QString& sourceFolder);
QString CopyFromListTitle(const QString& listName);
QString CutTitle(const QString& sourceFolder);
QString Vanished(const QByteArray& path);

} // namespace TargetTexts

// The source pane's folder and the chosen folder are one folder, whether or not either path ends
// in "/".
bool IsSameFolder(const QByteArray& folder, const QByteArray& other);
