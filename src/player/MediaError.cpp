#include "MediaError.h"

QString MediaErrorText(int code)
{
    switch (code) {
    case kErrFileNotFound:
        return QStringLiteral("找不到指定的文件。");
    case kErrFileUnreadable:
        return QStringLiteral("无法读取指定的文件。");
    case kErrBadFormat:
        return QStringLiteral("文件格式无法识别，或文件已损坏。");
    case kErrNoSoundFont:
        return QStringLiteral("找不到 MIDI 音色库。");
    case kErrNoAudioDevice:
        return QStringLiteral("没有可用的声音设备。");
    case kErrNotOpen:
        return QStringLiteral("No MCI device open");
    default:
        return QStringLiteral("Unknown error code");
    }
}
