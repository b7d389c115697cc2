#include "TPlaybackEngine.h"

#include "MediaKind.h"
#include "PlayLength.h"
#include "TransportRules.h"
#include "tags/NameText.h"

#include <algorithm>
#include <limits>

namespace {
const QString kStopped = QStringLiteral("停止播放。");
const QString kNoDevice = QStringLiteral("没有找到声音设备，静音播放。");
constexpr int kScanPollMs = 20;

int ProgressUnits(int64_t value) { return static_cast<int>(std::min<int64_t>(value, std::numeric_limits<int>::max())); }
} // namespace

TPlaybackEngine::TPlaybackEngine(THead& head, IPlayDisplay& display, IMsgDlg& msg, TMp3Play& mp3, TMediaPlayer& media,
                                 IAudioOutputFactory& outputs)
    : head_(head), display_(display), msg_(msg), mp3_(mp3), media_(media), outputs_(outputs)
{
}

void TPlaybackEngine::PlayFile(const QByteArray& file)
{
    if (file == head_.PlayingFile) {
        if (mp3_.GetState() == 2) {
            display_.SetTimerOn(true);
            mp3_.Pause();
            return;
        }
        if (media_.Mode() == MediaMode::Paused) {
            display_.SetTimerOn(true);
            media_.Resume();
            return;
        }
    }
    if (!IsPlayableFile(file) || TakePrepared(file))
        return;
    const bool isMp3 = MediaKindOf(file) == MediaKind::Mp3;

    ++request_;
    mp3_.Close();
    media_.Close();
    ShowStarting(file);

    if (isMp3) {
        head_.PlayEngine = 0;
        if (!OpenMp3(file))
            return;
        mp3_.Play();
        ShowMp3Length();
    } else {
        head_.PlayEngine = 1;
        media_.SetFileName(file);
        media_.Close();
        if (!media_.Open()) {
            display_.SetTimerOn(false);
            msg_.ShowStandardError(QStringLiteral("错误代码：") + QString::number(media_.Error()) + QStringLiteral("\r\n")
                                   + media_.ErrorText());
            return;
        }
        media_.Play();
        ShowMediaLength();
    }
    NoteMissingDevice();
    if (!display_.TimerOn())
        display_.SetTimerOn(true);
}

bool TPlaybackEngine::TakePrepared(const QByteArray& file)
{
    // The file may belong to the other player: it takes the sound over.
    if (mp3_.TakeQueued(file))
        head_.PlayEngine = 0;
    else if (media_.TakeQueued(file))
        head_.PlayEngine = 1;
    else
        return false;
    ++request_;
    ShowStarting(file);
    if (head_.PlayEngine == 0)
        ShowMp3Length();
    else
        ShowMediaLength();
    if (!display_.TimerOn())
        display_.SetTimerOn(true);
    return true;
}

void TPlaybackEngine::ShowStarting(const QByteArray& file)
{
    head_.PlayingFile = file;
    display_.SetNowPlaying(display_.ActiveListHint() + QLatin1Char('-') + DisplayName(file));
    display_.SetAppTitle(QString::fromUtf8(kAppTitle) + QLatin1Char('-') + DisplayName(file.mid(file.lastIndexOf('/') + 1)));
    display_.SetProgressMin(1);
    display_.SetProgressValue(1);
}

void TPlaybackEngine::ShowMp3Length()
{
    display_.SetLengthText(FormatMp3Length(mp3_.TotalTime()));
    display_.SetProgressMax(mp3_.FrameCount());
}

void TPlaybackEngine::ShowMediaLength()
{
    display_.SetLengthText(FormatPlayLength(media_.Length()));
    display_.SetProgressMax(ProgressUnits(media_.Length()));
}

void TPlaybackEngine::PrepareNext(const QByteArray& file)
{
    if (file == Prepared())
        return;
    mp3_.Unqueue();
    media_.Unqueue();
    const bool live = mp3_.GetState() > 0 || media_.Mode() == MediaMode::Playing || media_.Mode() == MediaMode::Paused;
    if (opening_ || !live || !IsPlayableFile(file))
        return;
    // Whichever player holds the sound, the next file follows it in the same output.
    if (MediaKindOf(file) == MediaKind::Mp3)
        mp3_.Queue(file);
    else
        media_.Queue(file);
}

QByteArray TPlaybackEngine::Prepared() const
{
    return mp3_.Queued().isEmpty() ? media_.Queued() : mp3_.Queued();
}

int64_t TPlaybackEngine::RemainingMs() const
{
    if (head_.PlayEngine == 1)
        return media_.Length() - media_.Position();
    const int64_t frames = mp3_.FrameCount();
    return frames > 0 ? (frames - mp3_.PlayPosition()) * mp3_.TotalTime() / frames : 0;
}

void TPlaybackEngine::SetEndNotice(const std::shared_ptr<EndNotice>& notice)
{
    mp3_.SetEndNotice(notice);
    media_.SetEndNotice(notice);
}

// False when the file never loaded (the stop action has run then) or when the
// user stopped or started another file while the scan or the tries went on.
bool TPlaybackEngine::OpenMp3(const QByteArray& file)
{
    const uint64_t request = request_;
    opening_ = true;
    const auto movedOn = [&] {
        display_.ProcessPendingEvents();
        if (request_ == request)
            return false;
        opening_ = false;  // whatever ran in between has taken over
        return true;
    };
    // The scan of a long file takes seconds: the window goes on meanwhile.
    mp3_.Prepare(file);
    while (!mp3_.WaitPrepared(kScanPollMs))
        if (movedOn())
            return false;
    int16_t result = mp3_.Open(file);
    for (int retries = 0; result > 0 && retries <= head_.iTryMaxCount; ++retries) {
        if (movedOn())
            return false;
        result = mp3_.Open(file);
    }
    opening_ = false;
    if (result > 0) {
        mp3_.Close();
        display_.RunStopAction();
        return false;
    }
    return true;
}

void TPlaybackEngine::NoteMissingDevice()
{
    if (outputs_.TakeNoDeviceNotice())
        display_.ShowStatus(kNoDevice);
}

void TPlaybackEngine::StopPlayback()
{
    ++request_;
    // Also a prepared file already heard a little, before its turn was taken.
    mp3_.Unqueue();
    media_.Unqueue();
    const bool opening = opening_;  // a scan may still run
    opening_ = false;
    display_.SetTimerOn(false);
    if (mp3_.GetState() > 0 || opening) {
        mp3_.Stop();
        mp3_.Close();
    } else if (media_.Mode() == MediaMode::Playing || media_.Mode() == MediaMode::Paused) {
        media_.Close();
    }
    head_.RepeatCurrent = false;
    head_.PlayingFile.clear();
    display_.SetNowPlaying(QString());
    display_.SetLengthText(QString());
    display_.SetProgressValue(1);
    display_.ShowStatus(kStopped);
}
