#include "PlayLength.h"

namespace {
const QString kMinutes = QStringLiteral("分钟");
}

QString FormatPlayLength(int64_t ms)
{
    return QString::number(ms / 60000) + QLatin1Char('.') + QString::number(ms % 60000 / 1000) + kMinutes;
}

QString FormatMp3Length(int64_t ms)
{
    // Hundredths of a minute are 600 ms; integers keep the halfway case exact.
    int64_t hundredths = ms / 600;
    const int64_t rest = ms % 600;
    if (rest > 300 || (rest == 300 && hundredths % 2 != 0))
        ++hundredths;
    QString text = QString::number(hundredths / 100);
    const int64_t fraction = hundredths % 100;
    if (fraction != 0) {
        text += QLatin1Char('.') + QString::number(fraction / 10);
        if (fraction % 10 != 0)
            text += QString::number(fraction % 10);
    }
    return text + kMinutes;
}
