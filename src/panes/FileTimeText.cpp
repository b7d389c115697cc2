#include "panes/FileTimeText.h"

#include <QDate>
#include <QTime>

QString LongTimeFormatWithoutZone(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}

FileTimeText::FileTimeText(const QLocale& locale)
    : locale_(locale)
    , dateFormat_(locale.dateFormat(QLocale::ShortFormat))
    , timeFormat_(LongTimeFormatWithoutZone(locale))
{
}

namespace {

constexpr qsizetype kRemembered = 4096;

} // namespace

QString FileTimeText::Text(std::time_t modified)
{
    const auto known = texts_.constFind(modified);
    if (known != texts_.constEnd())
        return known.value();
    struct tm local {};
    if (!::localtime_r(&modified, &local))
        return QString();
    // The packed date-and-time form keeps even seconds only.
    local.tm_sec &= ~1;
    const long long day = (local.tm_year + 1900LL) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
    if (day != lastDay_) {
        lastDay_ = day;
        lastDate_ = locale_.toString(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                                     dateFormat_);
    }
    QString text = lastDate_;
    if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0) {
        text += QLatin1Char(' ');
        text += locale_.toString(QTime(local.tm_hour, local.tm_min, local.tm_sec), timeFormat_);
    }
    if (texts_.size() >= kRemembered)
        texts_.clear();
    texts_.insert(modified, text);
    return text;
}
