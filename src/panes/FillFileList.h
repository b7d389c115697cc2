#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include "core/utHead.h"

class FileListModel;
class IStatusPanels;
class IFileIcons;

// Lists the files of folder (ending in "/") that match mask ("*.*", "*.mp3",
// ...) into list, one row per file, with the tag texts of MP3 files; then
// writes the status panels (no row selected) and gives each row the icon of
// its extension. Neither sorts the rows nor resets the sort flags.
void FillFileList(FileListModel& list, const QByteArray& folder, IStatusPanels& panels,
                  const QString& mask, const THead& head,
                  const QLocale& locale = QLocale::system());
void FillFileList(FileListModel& list, const QByteArray& folder, IStatusPanels& panels,
                  const QString& mask, const THead& head, const QLocale& locale,
                  IFileIcons& icons);

// The attribute cell of a file: "只读/隐藏", "只读", "隐藏" or "无属性文件".
QString AttributeText(bool readOnly, bool hidden);
