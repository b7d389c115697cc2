#include "tags/UnicodeJob.h"

void PlanItems(QList<UnicodeItem>& items, const std::atomic<bool>& cancel)
{
    for (UnicodeItem& item : items) {
        if (cancel.load())
            return;
        item.plan = PlanUnicode(item.path, item.rowTexts);
    }
}

UnicodeOutcome ConvertToUnicode(const QList<UnicodeItem>& items, const std::atomic<bool>& cancel,
                                const std::function<void(int)>& progress)
{
    UnicodeOutcome outcome;
    for (int i = 0; i < items.size(); ++i) {
        const UnicodeItem& item = items[i];
        if (item.plan.unchanged) {
            ++outcome.unchanged;
            continue;
        }
        if (cancel.load()) {
            ++outcome.left;
            continue;
        }
        progress(i);
        const TagWriteResult result = WriteUnicodeTag(item.path, item.plan.texts);
        if (result.ok)
            ++outcome.converted;
        else
            outcome.failures.append(item.name + QStringLiteral("：") + result.error);
    }
    return outcome;
}

QString UnicodeSummary(const UnicodeOutcome& outcome)
{
    QString text = QStringLiteral("已转换%1个文件。").arg(outcome.converted);
    if (outcome.unchanged > 0)
        text += QStringLiteral("%1个文件已是Unicode，未改动。").arg(outcome.unchanged);
    if (outcome.left > 0)
        text += QStringLiteral("转换已停止，%1个文件未处理。").arg(outcome.left);
    if (!outcome.failures.isEmpty())
        text += QStringLiteral("\n以下文件未转换，原文件保持不变：\n") + outcome.failures.join(u'\n');
    return text;
}
