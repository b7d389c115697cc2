// The two players of the main window, the transport that decides what they play, and the volume.
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "player/SystemAudio.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "player/TOutputVolume.h"
#include "player/ui/TMainVolume.h"
#include "player/ui/TTransport.h"
#include "playlists/ui/TListDetailView.h"
#include "utMain.h"

#include <QAction>

void TwinMain::BuildPlayers(std::unique_ptr<IAudioOutputFactory> audio, std::unique_ptr<VolumeDevice> volume)
{
    audio_ = audio ? std::move(audio) : std::make_unique<SystemAudio>();
    Mp3Play_ = std::make_unique<TMp3Play>(*audio_);
    mpMain_ = std::make_unique<TMediaPlayer>(*audio_);
    transport_ = new TTransport(
        Head_, *MsgDlg_, *opener_, {*Mp3Play_, *mpMain_, *audio_},
        {pnlSource_->List(), pnlTarget_->List(), lvListDetail_},
        {edtCurrPlay_, lblLength_, trbProgress_, sbpStatus_, [this] { return ActiveFileList_; },
         [this](QAbstractItemView* list) { SetActivePane(list, ActiveTree_, ActiveStatusBar_); }},
        this);
    const std::pair<const char*, void (TTransport::*)()> handlers[] = {
        {"aPlay", &TTransport::aPlayExecute},   {"aPause", &TTransport::aPauseExecute},
        {"aNext", &TTransport::aNextExecute},   {"aPri", &TTransport::aPriExecute},
        {"aRepeatPlay", &TTransport::aRepeatPlayExecute},
    };
    for (const auto& [name, handler] : handlers)
        connect(actions_.value(QLatin1String(name)), &QAction::triggered, transport_, handler);
    connect(this, &TwinMain::ActivePaneChanged, transport_, &TTransport::Reprepare);

    // The volume starts at full in each run: the output's gain is the program's own.
    volume_ = volume ? std::move(volume) : std::make_unique<TOutputVolume>(audio_->Gain());
    mainVolume_ = new TMainVolume(*volume_, trbVolume_, trbVolumeNV_, this);
}

TPlaybackEngine& TwinMain::Engine()
{
    return transport_->Engine();
}

TVolumeControl& TwinMain::VolumeControl()
{
    return mainVolume_->VolumeControl();
}

void TwinMain::PlayFile(const QByteArray& file)
{
    transport_->Engine().PlayFile(file);
}

void TwinMain::aStopExecute()
{
    transport_->aStopExecute();
}
