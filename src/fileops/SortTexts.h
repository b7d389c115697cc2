#pragma once

#include <QString>

// The messages, questions and progress titles of the sorting actions. S and T are the shown names
// of the folders selected in the source and target trees.
namespace SortTexts {

inline const char* const kSelectToCopy = "请选择需要复制的文件！";
inline const char* const kSelectToCut = "请选择需要剪切的文件！";
inline const char* const kSelectToDelete = "请选择需要删除的文件！";
inline const char* const kSelectTarget = "请选择目标文件夹！";
inline const char* const kSameFolders = "源文件夹和目标文件夹相同！请选择其它目标文件夹！";
inline const char* const kSameFoldersNoCut = "源文件夹和目标文件夹相同！不能剪切！";
inline const char* const kNameExists = "文件名已经存在！";
inline const char* const kRenameFailed = "重命名失败！";
inline const char* const kNoListToCopy = "没有可以复制的自定义播放列表！";

QString CopyTitle(const QString& s, const QString& t);
QString CopyQuestion(const QString& s, const QString& t);
// From the play list of name l.
QString ListCopyTitle(const QString& l, const QString& t);
QString ListCopyQuestion(const QString& l, const QString& t);
QString CutTitle(const QString& s, const QString& t);
QString CutQuestion(const QString& s, const QString& t);
QString DropOnTargetTitle(const QString& s, const QString& t);
QString DropOnSourceTitle(const QString& t, const QString& s);
QString DeleteTitle(const QString& tree);

} // namespace SortTexts
