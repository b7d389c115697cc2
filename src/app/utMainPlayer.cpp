// The two players of the main window and the engine that starts files in them.
#include "player/SystemAudio.h"
#include "TMainPlayDisplay.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "player/TPlaybackEngine.h"
#include "utMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

void TwinMain::BuildPlayers(std::unique_ptr<IAudioOutputFactory> audio)
{
    audio_ = audio ? std::move(audio) : std::make_unique<SystemAudio>();
    Mp3Play_ = std::make_unique<TMp3Play>(*audio_);
    mpMain_ = std::make_unique<TMediaPlayer>(*audio_);
    playDisplay_ = std::make_unique<TMainPlayDisplay>(
        TMainPlayDisplay::Controls{edtCurrPlay_, lblLength_, trbProgress_, tmMain_, sbpStatus_},
        [this] { return ActiveFileList_; }, [this] { aStopExecute(); });
    engine_ = std::make_unique<TPlaybackEngine>(Head_, *playDisplay_, *MsgDlg_, *Mp3Play_, *mpMain_, *audio_);
}

void TwinMain::PlayFile(const QByteArray& file)
{
    engine_->PlayFile(file);
}

void TwinMain::aStopExecute()
{
    engine_->StopPlayback();
}
