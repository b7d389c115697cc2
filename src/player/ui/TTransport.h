#pragma once

#include "TMainPlayDisplay.h"
#include "player/TPlaybackEngine.h"
#include "player/TransportRules.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class IDocumentOpener;
class QAbstractItemView;
class QLabel;
class QLineEdit;
class QSlider;
class QTimer;

// The transport of the main window: play, stop, pause, next, previous and repeat, the progress bar,
// double click and Enter in the three file lists, and the one-second tick that moves the bar and,
// at the end of a file, stops, repeats it or goes on in the list. In the last seconds of a file the
// engine prepares what the tick will play next, so that it follows without a gap; the engine tells
// the end the moment it is heard, and the tick's work is done then.
//
// The lists are read only through their views: each row gives its name bytes under kNameBytesRole,
// a file name in the two pane lists, a full path in the play list's entries.
class TTransport final : public QObject {
    Q_OBJECT

public:
    struct Players {
        TMp3Play& mp3;
        TMediaPlayer& media;
        IAudioOutputFactory& outputs;
    };
    struct Lists {
        QAbstractItemView* lvSource;
        QAbstractItemView* lvTarget;
        QAbstractItemView* lvListDetail;
    };
    // What the transport needs of the window: the control panel, the status panel and the
    // active file list, which only the window sets.
    struct Window {
        QLineEdit* edtCurrPlay;
        QLabel* lblLength;
        QSlider* trbProgress;
        QLabel* sbpStatus;
        std::function<QWidget*()> activeFileList;
        std::function<void(QAbstractItemView*)> setActiveFileList;
    };

    TTransport(THead& head, IMsgDlg& msg, IDocumentOpener& opener, Players players, Lists lists, Window window,
               QObject* parent = nullptr);
    ~TTransport() override;

    TPlaybackEngine& Engine() { return engine_; }
    QTimer* tmMain() const { return tmMain_; }
    // The row of the active file list last started; where continuous play goes on from.
    int PlayIndex() const { return PlayIndex_; }

    void aPlayExecute();
    // Plays the selected row of the source list, whichever list has the focus: for files named on
    // the command line, which arrive while the window may not have the keyboard.
    void PlaySourceSelection();
    void aStopExecute();
    void aPauseExecute();
    void aNextExecute();
    void aPriExecute();
    void aRepeatPlayExecute();
    void tmMainTimer();
    void trbProgressMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& position);
    void trbProgressMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& position);
    void lvSourceDblClick();
    void lvTargetDblClick();
    void lvListDetailDblClick();
    void lvSourceKeyPress(QChar key);
    void lvTargetKeyPress(QChar key);
    void lvListDetailKeyPress(QChar key);
    // Works out again the file prepared to follow the playing one, after a
    // change of the lists, their selection, the active list or the options.
    void Reprepare();

    // For the desktop's sound menu (MPRIS2).
    QString PlaybackStatus() const;
    int64_t PositionUs() const;
    int64_t LengthUs() const;
    // Play, next and previous have a row to work on.
    bool AnyRowSelected() const;
    // A seek from outside, as a click on the progress bar at that place.
    void SeekTo(int64_t us);

signals:
    // What plays, or whether it plays, may have changed: start, track change, pause, resume, stop.
    // Emitted before the players act; receivers look when the event loop comes round.
    void PlaybackChanged();
    // The progress bar has moved playback to another place.
    void Seeked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the tick does at the end of the playing file, as things stand now.
    struct Upcoming {
        enum Kind { kStop, kRepeat, kNext } kind;
        QAbstractItemView* list = nullptr;
        ContinuousStep step{};
        QByteArray file;
    };

    void ConnectInput();
    Upcoming WhatComesNext() const;
    void PrepareNext();
    void WatchForChanges(QAbstractItemView* list);
    void FileHeardToEnd();
    QAbstractItemView* ChooseList();
    QAbstractItemView* TakeList(ChosenList chosen);
    void PlaySelected(QAbstractItemView* list);
    QAbstractItemView* ActiveList() const;
    // The file of a row: the folder and the name in a pane list, the entry's own path in the play list.
    QByteArray FileOf(QAbstractItemView* list, int row, const QByteArray& folder) const;
    void Step(int (*rule)(int selected, int count));
    void DblClick(QAbstractItemView* list, const QByteArray& folder);
    void SetStatus(const QString& text);
    void SetTimerOn(bool on);

    THead& head_;
    IDocumentOpener& opener_;
    TMp3Play& mp3_;
    TMediaPlayer& media_;
    Lists lists_;
    Window window_;
    QTimer* tmMain_;
    TMainPlayDisplay display_;
    TPlaybackEngine engine_;
    int PlayIndex_ = 0;
    std::shared_ptr<EndNotice> endNotice_;
    // The transport itself moves the selection: what comes next is worked out
    // once it has settled.
    bool stepping_ = false;
};
