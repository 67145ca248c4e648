#include "base/DosDateTime.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(DosDateTime, EncodesAtTwoSecondsWithinTheYears1980To2107)
{
    const QDateTime t(QDate(2004, 1, 10), QTime(10, 0, 1), Qt::UTC);
    const std::uint32_t dos = DosDateTime::encode(t);
    EXPECT_EQ(dos, ((24u << 9 | 1u << 5 | 10u) << 16) | (10u << 11 | 0u << 5 | 0u));
    EXPECT_EQ(DosDateTime::decode(dos), QDateTime(QDate(2004, 1, 10), QTime(10, 0, 0), Qt::UTC));
    EXPECT_EQ(DosDateTime::decode(DosDateTime::encode(QDateTime(QDate(2107, 12, 31), QTime(23, 59, 59), Qt::UTC))),
              QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58), Qt::UTC));
    EXPECT_EQ(DosDateTime::encode(QDateTime(QDate(1980, 1, 1), QTime(0, 0), Qt::UTC)), 0x210000u);
    EXPECT_EQ(DosDateTime::encode(QDateTime(QDate(1979, 12, 31), QTime(23, 59, 59), Qt::UTC)), 0u);
    EXPECT_EQ(DosDateTime::encode(QDateTime(QDate(2108, 1, 1), QTime(0, 0), Qt::UTC)), 0u);
    EXPECT_FALSE(DosDateTime::decode(0).isValid());
    EXPECT_FALSE(DosDateTime::decode(0x00210000u | (24u << 11)).isValid()) << "hour 24";
}

TEST(DosDateTime, ShiftsByWholeDaysAtTheGivenOffset)
{
    const int offset = 3600; // an hour east of UTC
    const QDateTime file(QDate(2004, 1, 10), QTime(9, 0, 1), Qt::UTC); // 10:00:01 there
    EXPECT_EQ(DosDateTime::shifted(file, -14, offset), QDateTime(QDate(2003, 12, 27), QTime(9, 0, 0), Qt::UTC));
    EXPECT_EQ(DosDateTime::shifted(file.addSecs(-3600 * 10), -14, offset),
              QDateTime(QDate(2003, 12, 26), QTime(23, 0, 0), Qt::UTC))
        << "the local date is the one shifted";
    EXPECT_EQ(DosDateTime::shifted(QDateTime(QDate(1980, 1, 10), QTime(12, 0), Qt::UTC), -14, 0), std::nullopt);
    EXPECT_EQ(DosDateTime::shifted(QDateTime(QDate(1979, 6, 1), QTime(12, 0), Qt::UTC), 14, 0), std::nullopt);
    EXPECT_EQ(DosDateTime::shifted(QDateTime(), -14, 0), std::nullopt);
}
