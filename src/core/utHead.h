#pragma once

#include <QByteArray>
#include <QString>

// The program-wide values. One object, owned by the main window and handed by
// reference to whoever needs it, so that every test builds its own.
//
// Paths are the bytes the file system holds (see Names and bytes in DESIGN.md);
// folder paths end in "/".
struct THead {
    QByteArray AppPath;
    QString ColumnTitles;

    QByteArray SourcePath;
    QByteArray TargetPath;
    QByteArray PlayingFile;
    QByteArray PlayPath;
    int PlayEngine = 0;
    bool RepeatCurrent = false;

    // Options; these initial values hold until LoadOptions reads the catalogue.
    bool bConfirmation = false;
    bool bContinuous = false;
    bool bShowHideSys = false;
    int iFileSizeUnit = 0;
    int iT2FMode = 0;
    int iTryMaxCount = 0;
    // The volume bar's position, 0 (silent) to 255 (full); kept by the window, not by the options dialog.
    int iVolume = 255;
};

inline const char* const kAppTitle = "MelvaneKIRO(V4.0)";
inline const char* const kColumnTitles =
    "文件名;类型;大小;属性;修改时间;音乐名;艺术家;唱片标题;发行年;附注";
inline const char* const kCatalogueFileName = "KIROCustomList.mdb";
