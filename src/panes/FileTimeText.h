#pragma once

#include <QHash>
#include <QLocale>
#include <QString>

#include <ctime>

// A file's modification time as the list shows it: local time cut to even
// seconds, the locale's short date, a blank and its long time without the
// time-zone field; only the date at midnight. Remembers the texts it wrote,
// since the files of a folder were often written within a few seconds.
class FileTimeText {
public:
    explicit FileTimeText(const QLocale& locale);
    QString Text(std::time_t modified);

private:
    QLocale locale_;
    QString dateFormat_;
    QString timeFormat_;
    long long lastDay_ = -1;
    QString lastDate_;
    QHash<long long, QString> texts_;
};

// The locale's long time format with every time-zone field removed.
QString LongTimeFormatWithoutZone(const QLocale& locale);
