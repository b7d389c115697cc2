#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The used target folders: the folders that received files from the target-folders dialog, kept
// in the catalogue so that they can be picked again.
struct TargetFolder {
    QString id;
    QByteArray path;
};

// Where the dialog reads and keeps them. Each call returns the database layer's own text of what
// failed, empty when it succeeded.
class ITargetFolders {
public:
    virtual ~ITargetFolders() = default;

    // Every folder, in the table's own order.
    virtual QString Read(QList<TargetFolder>& folders) = 0;
    // Keeps the folder unless it is kept already.
    virtual QString Remember(const QByteArray& path) = 0;
    virtual QString Delete(const QString& id) = 0;
    virtual QString DeleteAll() = 0;
};

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
