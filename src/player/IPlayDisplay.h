#pragma once

#include <QString>

// What the playback engine needs of the main window.
class IPlayDisplay {
public:
    virtual ~IPlayDisplay() = default;

    // "源文件夹", "目标文件夹" or "自定义播放列表": the hint of the active file list.
    virtual QString ActiveListHint() const = 0;
    virtual void SetNowPlaying(const QString& text) = 0;  // edtCurrPlay
    virtual void SetAppTitle(const QString& text) = 0;
    virtual void SetLengthText(const QString& text) = 0;  // lblLength
    virtual void SetProgressMin(int value) = 0;          // trbProgress
    virtual void SetProgressMax(int value) = 0;
    virtual void SetProgressValue(int value) = 0;
    virtual void SetTimerOn(bool on) = 0;  // tmMain
    virtual bool TimerOn() const = 0;
    // Lets the window handle its pending events (user actions, timer ticks).
    virtual void ProcessPendingEvents() = 0;
    // The window's stop action (aStopExecute), which ends in StopPlayback.
    virtual void RunStopAction() = 0;
    virtual void ShowStatus(const QString& text) = 0;  // sbpStatus
};
