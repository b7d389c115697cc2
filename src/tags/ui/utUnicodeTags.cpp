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
        lvUnicodeFiles_->addTopLevelItem(new QTreeWidgetItem(
            {item.name, item.plan.texts[0], item.plan.texts[1], item.plan.texts[2],
             item.plan.unchanged ? QStringLiteral("不变（已是Unicode）") : QStringLiteral("转换")}));
    lvUnicodeFiles_->header()->resizeSections(QHeaderView::ResizeToContents);
    lvUnicodeFiles_->setMinimumSize(640, 240);

    lblProgress_ = new QLabel(this);
    lblProgress_->setObjectName(QStringLiteral("lblProgress"));

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &TwinUnicodeTags::Start);
    connect(buttons_, &QDialogButtonBox::rejected, this, &TwinUnicodeTags::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(lvUnicodeFiles_);
    layout->addWidget(lblProgress_);
    layout->addWidget(buttons_);
}

TwinUnicodeTags::~TwinUnicodeTags()
{
    // It has said it finished (the dialog cannot close before); only its exit is left.
    if (worker_)
        worker_->wait();
}

void TwinUnicodeTags::Start()
{
    if (worker_)
        return;
    ran_ = true;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    const int total = static_cast<int>(items_.size());
    lblProgress_->setText(QStringLiteral("正在转换……"));
    // The worker only reads items_ and writes outcome_; the dialog reads outcome_ once it has finished,
    // and cannot close before.
    worker_ = QThread::create([this, total] {
        outcome_ = ConvertToUnicode(items_, cancel_, [this, total](int index) {
            QMetaObject::invokeMethod(
                this,
                [this, index, total] {
                    lblProgress_->setText(QStringLiteral("正在转换 %1/%2：%3").arg(index + 1).arg(total).arg(items_[index].name));
                },
                Qt::QueuedConnection);
        });
    });
    worker_->setParent(this);
    connect(worker_, &QThread::finished, this, &QDialog::accept);
    worker_->start();
}

void TwinUnicodeTags::reject()
{
    if (!worker_) {
        QDialog::reject();
        return;
    }
    // Under way: the file being written is finished, the rest left.
    cancel_ = true;
    lblProgress_->setText(QStringLiteral("正在停止……"));
    buttons_->button(QDialogButtonBox::Cancel)->setEnabled(false);
}

void TwinUnicodeTags::closeEvent(QCloseEvent* event)
{
    if (worker_ && !worker_->isFinished()) {
        event->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(event);
}
