#include "RecordId.h"

#include <QThread>

QString PadTwoDigits(const QString& number)
{
    return number.size() == 2 ? number : QStringLiteral("0") + number;
}

QString RecordIdText(const QDateTime& at)
{
    const QDate d = at.date();
    const QTime t = at.time();
    const auto two = [](int n) { return PadTwoDigits(QString::number(n)); };
    return QString::number(d.year()) + two(d.month()) + two(d.day()) + two(t.hour()) + two(t.minute())
        + two(t.second()) + QString::number(t.msec());
}

RecordIdMaker::RecordIdMaker()
    : RecordIdMaker([] { return QDateTime::currentDateTime(); }, [] { QThread::msleep(1); })
{
}

RecordIdMaker::RecordIdMaker(Clock clock, Sleep waitAMillisecond)
    : clock_(std::move(clock)), wait_(std::move(waitAMillisecond))
{
}

QString RecordIdMaker::Next()
{
    QString id = RecordIdText(clock_());
    while (id == last_) {
        wait_();
        id = RecordIdText(clock_());
    }
    last_ = id;
    return id;
}

QString NewRecordId()
{
    static RecordIdMaker maker;
    return maker.Next();
}
