#include "utListScan.h"

#include "DialogParts.h"
#include "core/MsgDlg.h"
#include "playlists/PlaylistRules.h"
#include "playlists/TListDetailModel.h"
#include "tags/NameText.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A batch ends after this many entries or this long, whichever comes first.
constexpr int kBatchEntries = 200;
constexpr int kBatchMs = 30;

} // namespace

TwinListScan::TwinListScan(const TListDetailModel& entries, QItemSelectionModel& selection, IMsgDlg& msg,
                           std::function<void(const QList<int>&)> removeRows, QWidget* parent)
    : QDialog(parent), entries_(entries), selection_(selection), msg_(msg), removeRows_(std::move(removeRows))
{
    setObjectName("winListScan");
    setWindowTitle(QStringLiteral("扫描列表"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("扫描进度"), this));
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("pbScan");
    gauge_->setFixedSize(473, 20);
    gauge_->setFormat(QStringLiteral("%p%"));
    gauge_->setRange(0, GaugeMaximum(entries_.Count()));
    gauge_->setValue(0);
    layout->addWidget(gauge_);
    layout->addWidget(new QLabel(QStringLiteral("扫描结果"), this));
    lbResult_ = new QListWidget(this);
    lbResult_->setObjectName("lbResult");
    lbResult_->setFixedSize(473, 265);
    lbResult_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(lbResult_);

    auto* buttons = new QHBoxLayout;
    btnDelete_ = PlainButton(QStringLiteral("删除"), "btnDelete", this);
    btnScan_ = PlainButton(QStringLiteral("扫描"), "btnScan", this);
    btnClose_ = PlainButton(QStringLiteral("退出"), "btnClose", this);
    buttons->addWidget(btnDelete_);
    buttons->addStretch(1);
    buttons->addWidget(btnScan_);
    buttons->addWidget(btnClose_);
    layout->addLayout(buttons);
    connect(btnDelete_, &QPushButton::clicked, this, &TwinListScan::btnDeleteClick);
    connect(btnScan_, &QPushButton::clicked, this, &TwinListScan::btnScanClick);
    connect(btnClose_, &QPushButton::clicked, this, &TwinListScan::btnCloseClick);
    PlaceFixedDialog(*this, 507, 398);
}

void TwinListScan::btnScanClick()
{
    if (scanning_)
        return;
    btnScan_->setEnabled(false);
    // The results are whole only at the end; nothing is removed from half of them.
    btnDelete_->setEnabled(false);
    lbResult_->clear();
    missing_.clear();
    // Afterwards exactly the missing rows stand selected.
    selection_.clearSelection();
    gauge_->setValue(0);
    next_ = 0;
    scanning_ = true;
    scanBatch();
}

void TwinListScan::scanBatch()
{
    if (!scanning_)
        return;
    QElapsedTimer clock;
    clock.start();
    QItemSelection found;
    const int count = entries_.Count();
    const int end = std::min(count, next_ + kBatchEntries);
    while (next_ < end && clock.elapsed() < kBatchMs) {
        const QByteArray& path = entries_.Path(next_);
        if (IsMissingFile(path)) {
            lbResult_->addItem(DisplayName(path));
            missing_.append(next_);
            const QModelIndex index = entries_.index(next_, 0);
            found.select(index, index);
        }
        gauge_->setValue(next_);
        ++next_;
    }
    selection_.select(found, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (next_ < count) {
        QTimer::singleShot(0, this, &TwinListScan::scanBatch);
        return;
    }
    finishScan();
}

void TwinListScan::finishScan()
{
    scanning_ = false;
    lbResult_->addItem(ScanSummary(int(missing_.size())));
    gauge_->setValue(gauge_->maximum());
    btnScan_->setEnabled(true);
    btnDelete_->setEnabled(true);
}

void TwinListScan::btnDeleteClick()
{
    if (lbResult_->count() <= 1)
        return;
    if (msg_.Show(QStringLiteral("从列表中删除已经不存在的文件吗？"), MsgKind::Confirmation, MsgButtons::YesNo)
        != MsgResult::Yes)
        return;
    const QList<int> rows = missing_;
    // Rows removed once are gone; a second press has nothing left to remove.
    missing_.clear();
    removeRows_(rows);
}

void TwinListScan::btnCloseClick()
{
    reject();
}

void TwinListScan::reject()
{
    scanning_ = false;
    QDialog::reject();
}
