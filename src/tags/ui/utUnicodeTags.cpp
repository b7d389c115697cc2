#include "utUnicodeTags.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

TwinUnicodeTags::TwinUnicodeTags(QList<UnicodeItem> items, QWidget* owner)
    : QDialog(owner), items_(std::move(items))
{
    setObjectName(QStringLiteral("winUnicodeTags"));
    setWindowTitle(QStringLiteral("标签转为Unicode"));

    auto* hint = new QLabel(QStringLiteral("下列MP3文件的音乐名、艺术家、唱片标题、发行年和附注将写成ID3v2.4标签（UTF-8），"
                                           "各种播放器都能正确显示；ID3v1标签和其他标签内容保持不变。"),
                            this);
    hint->setWordWrap(true);

    lvUnicodeFiles_ = new QTreeWidget(this);
    lvUnicodeFiles_->setObjectName(QStringLiteral("lvUnicodeFiles"));
    lvUnicodeFiles_->setAccessibleName(QStringLiteral("要转换的文件"));
    lvUnicodeFiles_->setRootIsDecorated(false);
    lvUnicodeFiles_->setHeaderLabels({QStringLiteral("文件名"), QStringLiteral("音乐名"), QStringLiteral("艺术家"),
                                      QStringLiteral("唱片标题"), QStringLiteral("状态")});
    for (const UnicodeItem& item : items_)
        lvUnicodeFiles_->addTopLevelItem(
            new QTreeWidgetItem({item.name, item.rowTexts[0], item.rowTexts[1], item.rowTexts[2], QString()}));
    lvUnicodeFiles_->setMinimumSize(640, 240);

    lblProgress_ = new QLabel(QStringLiteral("正在读取标签……"), this);
    lblProgress_->setObjectName(QStringLiteral("lblProgress"));

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &TwinUnicodeTags::Start);
    connect(buttons_, &QDialogButtonBox::rejected, this, &TwinUnicodeTags::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(lvUnicodeFiles_);
    layout->addWidget(lblProgress_);
    layout->addWidget(buttons_);

    RunOnWorker([this] { PlanItems(items_, cancel_); }, [this] { ShowPlans(); });
}

TwinUnicodeTags::~TwinUnicodeTags()
{
    // It has said it finished (the dialog cannot close before); only its exit is left.
    if (worker_)
        worker_->wait();
}

void TwinUnicodeTags::RunOnWorker(std::function<void()> work, std::function<void()> done)
{
    // The worker alone touches items_ and outcome_ until it has finished.
    QThread* worker = QThread::create(std::move(work));
    worker->setParent(this);
    connect(worker, &QThread::finished, this, [this, worker, done = std::move(done)] {
        worker->wait();
        worker->deleteLater();
        worker_ = nullptr;
        if (cancel_)
            QDialog::reject();
        else
            done();
    });
    worker_ = worker;
    worker->start();
}

void TwinUnicodeTags::ShowPlans()
{
    for (int i = 0; i < items_.size(); ++i) {
        const UnicodePlan& plan = items_[i].plan;
        QTreeWidgetItem* row = lvUnicodeFiles_->topLevelItem(i);
        for (int f = 0; f < 3; ++f)
            row->setText(f + 1, plan.texts[f]);
        row->setText(4, plan.unchanged ? QStringLiteral("不变（已是Unicode）") : QStringLiteral("转换"));
    }
    lvUnicodeFiles_->header()->resizeSections(QHeaderView::ResizeToContents);
    lblProgress_->clear();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(true);
}

void TwinUnicodeTags::Start()
{
    if (worker_ || ran_)
        return;
    ran_ = true;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    lblProgress_->setText(QStringLiteral("正在转换……"));
    const int total = static_cast<int>(items_.size());
    RunOnWorker(
        [this, total] {
            outcome_ = ConvertToUnicode(items_, cancel_, [this, total](int index) {
                const QString text = QStringLiteral("正在转换 %1/%2：%3").arg(index + 1).arg(total).arg(items_[index].name);
                QMetaObject::invokeMethod(this, [this, text] { lblProgress_->setText(text); }, Qt::QueuedConnection);
            });
            // What was not reached is told in the summary, not by closing as cancelled.
            cancel_ = false;
        },
        [this] { accept(); });
}

void TwinUnicodeTags::reject()
{
    if (!worker_) {
        QDialog::reject();
        return;
    }
    // Under way: the file being read or written is finished, the rest left.
    cancel_ = true;
    lblProgress_->setText(QStringLiteral("正在停止……"));
    buttons_->button(QDialogButtonBox::Cancel)->setEnabled(false);
}

void TwinUnicodeTags::closeEvent(QCloseEvent* event)
{
    if (worker_) {
        event->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(event);
}
