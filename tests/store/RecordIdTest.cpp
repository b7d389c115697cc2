#include "store/RecordId.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

TEST(PadTwoDigits, KeepsTwoCharactersAndPadsTheRest)
{
    EXPECT_EQ(PadTwoDigits("7"), "07");
    EXPECT_EQ(PadTwoDigits("12"), "12");
    EXPECT_EQ(PadTwoDigits("0"), "00");
    EXPECT_EQ(PadTwoDigits("123"), "0123");
}

TEST(RecordId, DigitsOfDateTimeAndMillisecondsWithoutLeadingZeros)
{
    const QDate day(2005, 3, 7);
    EXPECT_EQ(RecordIdText(QDateTime(day, QTime(9, 5, 2, 45))), "2005030709050245");
    EXPECT_EQ(RecordIdText(QDateTime(day, QTime(9, 5, 2, 5))), "200503070905025");
    EXPECT_EQ(RecordIdText(QDateTime(day, QTime(23, 59, 59, 999))), "20050307235959999");
    EXPECT_EQ(RecordIdText(QDateTime(day, QTime(0, 0, 0, 0))), "200503070000000");
}

TEST(RecordId, WaitsForTheNextMillisecondInsteadOfRepeatingAnId)
{
    QDateTime now(QDate(2026, 1, 2), QTime(3, 4, 5, 6));
    int waits = 0;
    int reads = 0;
    // The clock stands still for three reads, then moves on a millisecond per wait.
    RecordIdMaker maker([&] { return ++reads <= 3 ? now : now.addMSecs(waits); }, [&] { ++waits; });
    const QString first = maker.Next();
    const QString second = maker.Next();
    EXPECT_EQ(first, "202601020304056");
    EXPECT_NE(first, second);
    EXPECT_GE(waits, 1);
}

TEST(RecordId, ProgramIdsAreUniqueDigitTextsOfFifteenToSeventeenCharacters)
{
    QSet<QString> seen;
    for (int i = 0; i < 300; ++i) {
        const QString id = NewRecordId();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+$")).match(id).hasMatch()) << id.toStdString();
        EXPECT_GE(id.size(), 15);
        EXPECT_LE(id.size(), 17);
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen.insert(id);
    }
}
