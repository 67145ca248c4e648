#include "base/DateTimeText.h"

#include <gtest/gtest.h>

using namespace bw;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

std::int64_t valueOf(const QDateTime& dt)
{
    return DateTimeText::value(dt.date(), dt.time());
}

} // namespace

TEST(DateTimeText, ShortDateThenLongTimeWithoutZoneAndMidnightAlone)
{
    const DateTimeText c{QLocale::c()};
    EXPECT_EQ(c.text(at(2004, 1, 2, 13, 4, 6)), "2 Jan 2004 13:04:06");
    EXPECT_EQ(c.text(at(2004, 1, 2)), "2 Jan 2004");
    EXPECT_EQ(c.text(at(2004, 1, 2, 0, 0, 2)), "2 Jan 2004 00:00:02");
    EXPECT_EQ(c.zeroText(), "30 Dec 1899");

    const DateTimeText de{QLocale("de_DE")};
    EXPECT_EQ(de.text(at(2004, 1, 2, 13, 4, 6)), "02.01.04 13:04:06");
    EXPECT_EQ(de.zeroText(), "30.12.99");

    EXPECT_EQ(DateTimeText(QLocale("en_GB")).text(at(2003, 12, 31, 23, 59, 58)), "31/12/2003 23:59:58");
    EXPECT_EQ(DateTimeText(QLocale("en_US")).text(at(2004, 1, 2, 13, 4, 6)), "1/2/04 1:04:06 PM");
}

TEST(DateTimeText, ZoneNameLeavesWithWhatSetsItOff)
{
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale::c()), "HH:mm:ss");
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("en_US")), "h:mm:ss AP");
    // Zone first, in brackets, after a comma, after quoted text.
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("zh_CN")), "HH:mm:ss");
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("es_ES")), "H:mm:ss");
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("sq_AL")), "h:mm:ss AP");
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("bg_BG")), "H:mm:ss 'ч'.");
    EXPECT_EQ(longTimeFormatWithoutZone(QLocale("nds_DE")), "'Klock' H.mm:ss");
}

TEST(DateTimeText, ReadsBackWhatItWrites)
{
    const QDateTime samples[] = {at(2004, 1, 2, 13, 4, 6), at(2004, 1, 2), at(2003, 12, 31, 0, 0, 2),
                                 at(1999, 7, 9, 23, 59, 58), at(2000, 2, 29, 12, 0, 0), at(2069, 11, 30, 9, 5, 0),
                                 at(1970, 1, 1, 1, 0, 0)};
    for (const char* name : {"C", "de_DE", "en_GB", "en_US", "ja_JP", "zh_CN", "es_ES", "ko_KR"}) {
        const DateTimeText dates{QLocale(QString::fromLatin1(name))};
        for (const QDateTime& dt : samples) {
            const std::string text = dates.text(dt);
            EXPECT_EQ(dates.read(text), valueOf(dt)) << name << " " << text;
        }
        EXPECT_EQ(dates.read(dates.zeroText()), 0) << name;
    }
}

TEST(DateTimeText, TwoDigitYearsReadAsNineteenSeventyToTwentySixtyNine)
{
    const DateTimeText de{QLocale("de_DE")};
    EXPECT_EQ(de.read("02.01.04"), valueOf(at(2004, 1, 2)));
    EXPECT_EQ(de.read("31.12.69 10:00:00"), valueOf(at(2069, 12, 31, 10)));
    EXPECT_EQ(de.read("01.01.70"), valueOf(at(1970, 1, 1)));
    // Qt alone would take 00 for 1900, which has no 29 February.
    EXPECT_EQ(de.read("29.02.00"), valueOf(at(2000, 2, 29)));
    // The zero value's text stands for zero, not for 1999.
    EXPECT_EQ(de.read("30.12.99"), 0);
    EXPECT_EQ(de.read("30.12.99 00:00:02"), valueOf(at(1999, 12, 30, 0, 0, 2)));
}

TEST(DateTimeText, TextsItDoesNotWriteDoNotRead)
{
    const DateTimeText c{QLocale::c()};
    for (const char* text : {"", "Unknown", "12/10/2003", "2 Jan 2004 25:00:00", "2 Jan 2004 13:04", "Jan 2004",
                             "31 Feb 2004", "2 Jan 2004 13:04:06 x"})
        EXPECT_FALSE(c.read(text).has_value()) << text;
}

TEST(DateTimeText, DosTimeRoundsDownToAnEvenSecondInLocalTime)
{
    EXPECT_EQ(dosLocalTime(at(2003, 10, 14, 10, 22, 15, 999)), at(2003, 10, 14, 10, 22, 14));
    EXPECT_EQ(dosLocalTime(at(2003, 10, 14, 10, 22, 14)), at(2003, 10, 14, 10, 22, 14));
    // One second after midnight is midnight: the text shows the date alone.
    const QDateTime justAfter = dosLocalTime(at(2004, 1, 2, 0, 0, 1, 500));
    EXPECT_EQ(DateTimeText(QLocale::c()).text(justAfter), "2 Jan 2004");

    // A time in another zone is shown as local time.
    const QDateTime local = at(2003, 10, 14, 10, 22, 17);
    const QDateTime dos = dosLocalTime(local.toUTC());
    EXPECT_EQ(dos.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(dos, at(2003, 10, 14, 10, 22, 16));
    EXPECT_FALSE(dosLocalTime(QDateTime()).isValid());
}
