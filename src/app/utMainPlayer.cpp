// The two players of the main window, the transport that decides what they play, and the volume.
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "player/SystemAudio.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "player/TOutputVolume.h"
#include "player/ui/TMainVolume.h"
#include "player/ui/TMpris.h"
#include "player/ui/TTransport.h"
#include "playlists/ui/TListDetailView.h"
#include "store/OptionStore.h"
#include "utMain.h"

#include <QAction>
#include <QSlider>

void TwinMain::BuildPlayers(std::unique_ptr<IAudioOutputFactory> audio, std::unique_ptr<VolumeDevice> volume)
{
    audio_ = audio ? std::move(audio) : std::make_unique<SystemAudio>();
    pipeline_ = std::make_unique<PcmPipeline>(*audio_);
    Mp3Play_ = std::make_unique<TMp3Play>(*pipeline_);
    mpMain_ = std::make_unique<TMediaPlayer>(*pipeline_);
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

    // The output's gain is the program's own; the catalogue keeps the bar's position between runs.
    volume_ = volume ? std::move(volume) : std::make_unique<TOutputVolume>(audio_->Gain());
    mainVolume_ = new TMainVolume(*volume_, trbVolume_, trbVolumeNV_, this);
}

void TwinMain::RestoreVolume()
{
    // Without a device the bar shows the silence it has.
    if (VolumeControl().DeviceId(VolumeKind::Wave) >= 0)
        trbVolume_->setValue(Head_.iVolume);
    // A drag is kept when the bar is let go, a key or a click on the groove at once.
    connect(trbVolume_, &QSlider::valueChanged, this, [this] {
        if (!trbVolume_->isSliderDown())
            KeepVolume();
    });
    connect(trbVolume_, &QSlider::sliderReleased, this, &TwinMain::KeepVolume);
}

void TwinMain::KeepVolume()
{
    Head_.iVolume = trbVolume_->value();
    if (!dbconMain_.IsOpen() || dbconMain_.IsReadOnly())
        return;
    const OptionResult saved = SaveVolume(dbconMain_.Database(), Head_.iVolume);
    if (!saved.ok())
        MsgDlg_->ShowLayerError(saved.error);
}

// Media keys and the sound menu: Raise brings the window to the front, Quit exits as the menu does,
// once the bus has had its answer.
void TwinMain::BuildMpris()
{
    new TMpris(Head_, *transport_, *mainVolume_,
               {[this] { BringToFront(); },
                [this] { QMetaObject::invokeMethod(this, &TwinMain::aExitExecute, Qt::QueuedConnection); },
                [this](const QByteArray& path) {
                    BringToFront();
                    OpenFiles({path});
                }},
               this);
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
