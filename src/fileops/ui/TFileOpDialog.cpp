#include "TFileOpDialog.h"

#include "fileops/FileOpTexts.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFileOpDialog::TFileOpDialog(QWidget* owner, const QString& title, std::function<FileOpStats()> stats)
    : QDialog(owner), stats_(std::move(stats))
{
    setObjectName(QStringLiteral("dlgFileOp"));
    setWindowTitle(title);
    setModal(true);
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("pbFileOp"));
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    items_ = new QLabel(this);
    items_->setObjectName(QStringLiteral("lblFileOpItems"));
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setObjectName(QStringLiteral("btnFileOpCancel"));
    layout->addWidget(bar_);
    layout->addWidget(items_);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, &TFileOpDialog::reject);

    poll_ = new QTimer(this);
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, &TFileOpDialog::Poll);
    poll_->start();
    Poll();
}

void TFileOpDialog::Poll()
{
    const FileOpStats stats = stats_();
    bar_->setValue(ProgressPermille(stats));
    items_->setText(ProgressItemsText(stats));
}

void TFileOpDialog::reject()
{
    if (finished_) {
        QDialog::reject();
        return;
    }
    cancel_->setEnabled(false);
    cancel_->setText(QStringLiteral("正在取消..."));
    emit CancelRequested();
}

void TFileOpDialog::Finish()
{
    finished_ = true;
    poll_->stop();
    Poll();
    accept();
}
