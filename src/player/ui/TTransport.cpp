#include "TTransport.h"

#include "core/ListRows.h"
#include "player/TransportRules.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTimer>

#include <sys/stat.h>

#include <algorithm>
#include <limits>

namespace {

const QString kPlaying = QStringLiteral("播放选择的文件。");
const QString kPaused = QStringLiteral("暂停播放……");
const QString kRepeating = QStringLiteral("反复播放选择的一个音乐。");
// Time enough to load the next file and to decode its start before the buffer
// of the playing one runs dry, with a tick to spare.
constexpr int64_t kPrepareAheadMs = 5000;

bool FileExists(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

int BarValue(int64_t position)
{
    return static_cast<int>(std::clamp<int64_t>(position, 0, std::numeric_limits<int>::max()));
}

} // namespace

TTransport::TTransport(THead& head, IMsgDlg& msg, IDocumentOpener& opener, Players players, Lists lists,
                       Window window, QObject* parent)
    : QObject(parent), head_(head), opener_(opener), mp3_(players.mp3), media_(players.media), lists_(lists),
      window_(std::move(window)), tmMain_(new QTimer(this)),
      display_({window_.edtCurrPlay, window_.lblLength, window_.trbProgress, tmMain_, window_.sbpStatus},
               window_.activeFileList, [this] { aStopExecute(); }, [this] { emit PlaybackChanged(); }),
      engine_(head, display_, msg, players.mp3, players.media, players.outputs)
{
    setObjectName(QStringLiteral("Transport"));
    tmMain_->setObjectName(QStringLiteral("tmMain"));
    tmMain_->setInterval(1000);
    connect(tmMain_, &QTimer::timeout, this, &TTransport::tmMainTimer);
    ConnectInput();
    // The end is acted on at once, not at the next tick.
    endNotice_ = std::make_shared<EndNotice>();
    endNotice_->Listen([this] { QMetaObject::invokeMethod(this, &TTransport::FileHeardToEnd, Qt::QueuedConnection); });
    engine_.SetEndNotice(endNotice_);
}

TTransport::~TTransport()
{
    endNotice_->Listen(nullptr);
}

QAbstractItemView* TTransport::ActiveList() const
{
    const QWidget* active = window_.activeFileList();
    for (QAbstractItemView* list : {lists_.lvSource, lists_.lvTarget, lists_.lvListDetail}) {
        if (active == list)
            return list;
    }
    return nullptr;
}

QAbstractItemView* TTransport::ChooseList()
{
    return TakeList(::ChooseList(AnyRowSelected(), HasFocus(lists_.lvSource), HasFocus(lists_.lvTarget)));
}

QAbstractItemView* TTransport::TakeList(ChosenList chosen)
{
    switch (chosen) {
    case ChosenList::None:
        return nullptr;
    case ChosenList::Source:
        window_.setActiveFileList(lists_.lvSource);
        head_.PlayPath = head_.SourcePath;
        return lists_.lvSource;
    case ChosenList::Target:
        window_.setActiveFileList(lists_.lvTarget);
        head_.PlayPath = head_.TargetPath;
        return lists_.lvTarget;
    case ChosenList::ListDetail:
        window_.setActiveFileList(lists_.lvListDetail);
        return lists_.lvListDetail;
    }
    return nullptr;
}

// A row's file is told by its own list, whichever page shows: a pane row's name is only
// meaningful in its folder, and an entry's path only on its own.
QByteArray TTransport::FileOf(QAbstractItemView* list, int row, const QByteArray& folder) const
{
    const QByteArray bytes = RowBytes(list, row);
    return list == lists_.lvListDetail ? bytes : folder + bytes;
}

void TTransport::SetStatus(const QString& text)
{
    window_.sbpStatus->setText(text);
}

void TTransport::SetTimerOn(bool on)
{
    display_.SetTimerOn(on);
}

void TTransport::aPlayExecute()
{
    PlaySelected(ChooseList());
}

void TTransport::PlaySourceSelection()
{
    PlaySelected(TakeList(ChosenList::Source));
}

void TTransport::PlaySelected(QAbstractItemView* list)
{
    if (list == nullptr)
        return;
    const int row = SelectedRow(list);
    if (row < 0)
        return;
    const QScopedValueRollback hold(stepping_, true);
    PlayIndex_ = row;
    head_.RepeatCurrent = false;
    SetStatus(kPlaying);
    engine_.PlayFile(FileOf(list, row, head_.PlayPath));
}

void TTransport::aNextExecute()
{
    Step(&NextIndex);
}

void TTransport::aPriExecute()
{
    Step(&PriorIndex);
}

// Next and previous; a list without the row to go to plays nothing.
void TTransport::Step(int (*rule)(int selected, int count))
{
    const QScopedValueRollback hold(stepping_, true);
    QAbstractItemView* list = ChooseList();
    if (list == nullptr)
        return;
    const int row = rule(SelectedRow(list), RowCount(list));
    if (row < 0)
        return;
    SelectOnly(list, row);
    PlayIndex_ = row;
    head_.RepeatCurrent = false;
    engine_.PlayFile(FileOf(list, row, head_.PlayPath));
}

void TTransport::aStopExecute()
{
    engine_.StopPlayback();
}

void TTransport::aPauseExecute()
{
    if (mp3_.GetState() == 1) {
        SetStatus(kPaused);
        SetTimerOn(false);
        mp3_.Pause();
    } else if (mp3_.GetState() == 2) {
        SetStatus(kPlaying);
        SetTimerOn(true);
        mp3_.Pause();
    } else if (media_.Mode() == MediaMode::Playing) {
        SetStatus(kPaused);
        SetTimerOn(false);
        media_.Pause();
    } else if (media_.Mode() == MediaMode::Paused) {
        SetStatus(kPlaying);
        SetTimerOn(true);
        media_.Resume();
    }
}

void TTransport::aRepeatPlayExecute()
{
    if (mp3_.GetState() == 1 || media_.Mode() == MediaMode::Playing) {
        head_.RepeatCurrent = true;
        SetStatus(kRepeating);
        Reprepare();
    }
}

void TTransport::tmMainTimer()
{
    // While an MP3 open is retried no file is loaded: the players have nothing to tell.
    if (engine_.OpeningMp3())
        return;
    int64_t position = 0;
    int64_t end = 0;
    if (head_.PlayEngine == 0) {
        position = mp3_.PlayPosition();
        end = mp3_.FrameCount();
    } else if (head_.PlayEngine == 1) {
        position = media_.Position();
        end = media_.Length();
    } else {
        return;
    }
    if (!window_.trbProgress->isSliderDown())
        window_.trbProgress->setValue(BarValue(position));
    if (!EndReached(position, end)) {
        if (engine_.RemainingMs() <= kPrepareAheadMs)
            PrepareNext();
        return;
    }

    const Upcoming next = WhatComesNext();
    if (next.kind == Upcoming::kStop) {
        aStopExecute();
        return;
    }
    if (next.kind == Upcoming::kRepeat) {
        engine_.PlayFile(head_.PlayingFile);
        return;
    }
    {
        const QScopedValueRollback hold(stepping_, true);
        PlayIndex_ = next.step.index;
        if (next.step.selectOnly)
            SelectOnly(next.list, next.step.index);
    }
    if (!FileExists(next.file)) {
        aStopExecute();
        return;
    }
    // The file prepared for this moment already sounds; PlayFile only shows it.
    engine_.PlayFile(next.file);
}

// Continuous play goes on in the active list: the same file again with repeat
// set, else the next row by the selection.
TTransport::Upcoming TTransport::WhatComesNext() const
{
    QAbstractItemView* list = ActiveList();
    if (list == nullptr || !ContinuousApplies(head_.bContinuous, RowCount(list), PlayIndex_))
        return {Upcoming::kStop, list, {}, {}};
    if (head_.RepeatCurrent)
        return {Upcoming::kRepeat, list, {}, head_.PlayingFile};
    const ContinuousStep step = NextContinuous(PlayIndex_, RowCount(list), SelectedRows(list));
    return {Upcoming::kNext, list, step, FileOf(list, step.index, head_.PlayPath)};
}

void TTransport::PrepareNext()
{
    const Upcoming next = WhatComesNext();
    if (next.list != nullptr)
        WatchForChanges(next.list);
    const bool goesOn = next.kind != Upcoming::kStop && FileExists(next.file);
    engine_.PrepareNext(goesOn ? next.file : QByteArray());
}

void TTransport::Reprepare()
{
    if (!stepping_ && !head_.PlayingFile.isEmpty() && !engine_.OpeningMp3() && engine_.RemainingMs() <= kPrepareAheadMs)
        PrepareNext();
}

// Any change of the rows or of the selection may change the next file.
void TTransport::WatchForChanges(QAbstractItemView* list)
{
    const auto unique = Qt::UniqueConnection;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTransport::Reprepare, unique);
    const QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &TTransport::Reprepare, unique);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TTransport::Reprepare, unique);
    connect(model, &QAbstractItemModel::rowsMoved, this, &TTransport::Reprepare, unique);
    connect(model, &QAbstractItemModel::modelReset, this, &TTransport::Reprepare, unique);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TTransport::Reprepare, unique);
    connect(model, &QAbstractItemModel::dataChanged, this, &TTransport::Reprepare, unique);
}

// Told by the engine the moment a file has been heard to its end.
void TTransport::FileHeardToEnd()
{
    if (tmMain_->isActive())
        tmMainTimer();
}
