#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The rules and texts of the folder commands of the two trees and of the used-target-folders
// dialog. Paths are native bytes without a trailing "/" (except "/"); texts show them decoded.
namespace FolderOps {

inline const char* const kDesktopText = "桌面";
inline const char* const kTrashText = "回收站";
inline const char* const kNetworkText = "网上邻居";

inline const char* const kSameFolderNoCopy = "源文件夹与目标文件夹相同！不能复制！";
inline const char* const kSameFolderNoCut = "源文件夹与目标文件夹相同！不能剪切！";
inline const char* const kCopyIntoItself = "不能将文件夹复制到它自己的子文件夹中！";
inline const char* const kCutIntoItself = "不能将文件夹剪切到它自己或它的子文件夹中！";
inline const char* const kEnterFolderName = "请输入新文件夹名！";
inline const char* const kFolderExists = "该文件夹已经存在！请使用其它文件夹名！";
inline const char* const kCreateFailed = "文件夹创建失败！";

// Which commands of the tree menu may run on a node, from its shown text. A system place (the home
// folder, the computer, a mounted volume) is never moved, trashed or renamed.
struct MenuState {
    bool copy = true;
    bool cut = true;
    bool remove = true;
    bool rename = true;
};
MenuState MenuStateFor(const QString& text, bool systemPlace);

// Whether the rename editor may open on a node with this text.
bool MayEditName(const QString& text);

// The playing file lies in the folder, or its path merely contains the folder's text; either way
// stopping first loses nothing.
bool PlaysInside(const QByteArray& playingFile, const QByteArray& folder);

// The destination is the folder itself or lies below it.
bool IsSameOrBelow(const QByteArray& folder, const QByteArray& destination);

QString CopyTitle(const QString& from, const QString& to);
QString CopyQuestion(const QByteArray& from, const QByteArray& to);
QString CutTitle(const QString& from, const QString& to);
QString CutQuestion(const QByteArray& from, const QByteArray& to);
QString DeleteTitle(const QString& folder);
// The tree's own report of a refused rename.
QString RenameFailed(const QString& newName);

// The path a folder gets when renamed to newName: the same parent, one component of UTF-8 bytes.
// Nothing for "", ".", "..", a name holding "/" or NUL, or a path without parent.
std::optional<QByteArray> RenamedPath(const QByteArray& folder, const QString& newName);

// The folder to create: currentFolder (ending in "/" or not) joined with one name. Nothing unless
// currentFolder is absolute and the name is a single component.
std::optional<QByteArray> NewFolderPath(const QByteArray& currentFolder, const QString& name);

bool IsFolder(const QByteArray& path);

} // namespace FolderOps
