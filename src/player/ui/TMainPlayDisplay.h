#pragma once

#include "player/IPlayDisplay.h"

#include <functional>

class QLabel;
class QLineEdit;
class QSlider;
class QTimer;
class QWidget;

// The playback engine's view of the main window: the control panel, the timer, the status panel.
class TMainPlayDisplay final : public IPlayDisplay {
public:
    struct Controls {
        QLineEdit* edtCurrPlay;
        QLabel* lblLength;
        QSlider* trbProgress;
        QTimer* tmMain;
        QLabel* sbpStatus;
    };

    // changed runs whenever what plays, or whether it plays, may have changed (the file and length
    // shown, the timer switched), before the players have done so: its receivers look once the event comes round.
    TMainPlayDisplay(Controls controls, std::function<QWidget*()> activeFileList, std::function<void()> stopAction,
                     std::function<void()> changed);

    QString ActiveListHint() const override;
    void SetNowPlaying(const QString& text) override;
    void SetAppTitle(const QString& text) override;
    void SetLengthText(const QString& text) override;
    void SetProgressMin(int value) override;
    void SetProgressMax(int value) override;
    void SetProgressValue(int value) override;
    void SetTimerOn(bool on) override;
    bool TimerOn() const override;
    void ProcessPendingEvents() override;
    void RunStopAction() override;
    void ShowStatus(const QString& text) override;

private:
    Controls c_;
    std::function<QWidget*()> activeFileList_;
    std::function<void()> stopAction_;
    std::function<void()> changed_;
};
