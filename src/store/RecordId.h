#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// "7" -> "07", "12" -> "12": a number's text of exactly two characters stays, any other gets a "0" in front.
QString PadTwoDigits(const QString& number);

// The identifier text of a date and time: yyyymmddhhnnss and the milliseconds without leading zeros
// (15 to 17 digits).
QString RecordIdText(const QDateTime& at);

// Hands out identifiers from the clock, never the same one twice in a run: two rows made within one
// millisecond would otherwise share an id and mix their entries.
class RecordIdMaker {
public:
    using Clock = std::function<QDateTime()>;
    using Sleep = std::function<void()>;

    RecordIdMaker();
    RecordIdMaker(Clock clock, Sleep waitAMillisecond);

    QString Next();

private:
    Clock clock_;
    Sleep wait_;
    QString last_;
};

// The program's identifier routine, on the local clock.
QString NewRecordId();
