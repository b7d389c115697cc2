#include "WindowPlace.h"

#include <QStringList>

#include <algorithm>

namespace {

std::optional<QList<int>> readNumbers(const QString& text)
{
    QList<int> numbers;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (!ok || part.trimmed() != part)
            return std::nullopt;
        numbers.append(value);
    }
    return numbers;
}

} // namespace

QString WindowPlaceText(const WindowPlace& place)
{
    const QRect& r = place.normal;
    return SizesText({r.x(), r.y(), r.width(), r.height(), place.maximised ? 1 : 0});
}

std::optional<WindowPlace> ReadWindowPlace(const QString& text)
{
    const std::optional<QList<int>> n = readNumbers(text);
    if (!n || n->size() != 5 || (*n)[2] <= 0 || (*n)[3] <= 0 || ((*n)[4] != 0 && (*n)[4] != 1))
        return std::nullopt;
    return WindowPlace {QRect((*n)[0], (*n)[1], (*n)[2], (*n)[3]), (*n)[4] == 1};
}

QString SizesText(const QList<int>& sizes)
{
    QStringList parts;
    for (int size : sizes)
        parts.append(QString::number(size));
    return parts.join(QLatin1Char(','));
}

std::optional<QList<int>> ReadSizes(const QString& text, qsizetype count)
{
    const std::optional<QList<int>> sizes = readNumbers(text);
    if (!sizes || sizes->size() != count || std::any_of(sizes->begin(), sizes->end(), [](int s) { return s < 0; }))
        return std::nullopt;
    return sizes;
}

QRect FitOnScreen(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}
