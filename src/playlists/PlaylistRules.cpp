#include "PlaylistRules.h"

#include <sys/stat.h>

QString LimitText(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    qsizetype cut = width;
    if (cut > 0 && text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut);
}

QString DeleteListQuestion(const QString& name)
{
    return QStringLiteral("确实要删除自定义播放列表“") + name + QStringLiteral("”吗？");
}

QString FileCountText(int rows)
{
    return QStringLiteral("文件数:") + QString::number(rows);
}

QString SelectedCountText(int rows)
{
    return QStringLiteral("选择数:") + QString::number(rows);
}

std::optional<int> MoveTarget(int first, int count, MoveDirection direction)
{
    if (first < 0 || first >= count)
        return std::nullopt;
    if (direction == MoveDirection::Up)
        return first > 0 ? std::optional<int>(first - 1) : std::nullopt;
    return first < count - 1 ? std::optional<int>(first + 1) : std::nullopt;
}

bool IsMissingFile(const QByteArray& path)
{
    struct stat st {};
    if (path.isEmpty() || path.contains('\0') || ::stat(path.constData(), &st) != 0)
        return true;
    return S_ISDIR(st.st_mode);
}

QString ScanSummary(int missing)
{
    if (missing == 0)
        return QStringLiteral("* * * 列表完整 * * *");
    return QStringLiteral("* * * 列表中有") + QString::number(missing) + QStringLiteral("个文件已经不存在 * * *");
}

int GaugeMaximum(int entries)
{
    return entries < 2 ? 1 : entries - 1;
}
