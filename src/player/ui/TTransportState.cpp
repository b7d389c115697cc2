// What the transport tells the desktop's sound menu, and the seek it takes from there.
#include "TTransport.h"

#include "core/ListRows.h"
#include "player/MprisValues.h"

#include <QAbstractItemView>
#include <QSlider>

#include <algorithm>

QString TTransport::PlaybackStatus() const
{
    return MprisPlaybackStatus(mp3_.GetState(), media_.Mode());
}

int64_t TTransport::PositionUs() const
{
    if (head_.PlayingFile.isEmpty())
        return 0;
    if (head_.PlayEngine == 0)
        return BarToUs(mp3_.PlayPosition(), mp3_.FrameCount(), mp3_.TotalTime());
    return media_.Position() * 1000;
}

int64_t TTransport::LengthUs() const
{
    if (head_.PlayingFile.isEmpty())
        return 0;
    return (head_.PlayEngine == 0 ? int64_t{mp3_.TotalTime()} : media_.Length()) * 1000;
}

bool TTransport::AnyRowSelected() const
{
    return SelectedRow(lists_.lvSource) >= 0 || SelectedRow(lists_.lvTarget) >= 0
           || SelectedRow(lists_.lvListDetail) >= 0;
}

void TTransport::SeekTo(int64_t us)
{
    const int64_t value = head_.PlayEngine == 0 ? UsToBar(us, mp3_.FrameCount(), mp3_.TotalTime()) : us / 1000;
    trbProgressMouseDown(Qt::LeftButton, {}, {});
    window_.trbProgress->setValue(static_cast<int>(std::clamp<int64_t>(value, 0, window_.trbProgress->maximum())));
    trbProgressMouseUp(Qt::LeftButton, {}, {});
}
