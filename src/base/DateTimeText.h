#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// The date-time texts the lists show, in one locale: the short date, then a
// blank and the long time without its time-zone name; at exactly midnight the
// date alone. Texts are UTF-8, as rows hold them.
//
// Reading a text back gives a wall-clock value for ordering: milliseconds
// since date-time value zero, 30 December 1899 at midnight. A two-digit year
// reads as 1970 to 2069, except that the zero value's own text reads as zero.
class DateTimeText {
public:
    explicit DateTimeText(const QLocale& locale = QLocale::system());

    std::string text(const QDateTime& local) const;
    // The text of date-time value zero: its date alone.
    const std::string& zeroText() const { return m_zeroText; }

    std::optional<std::int64_t> read(std::string_view text) const;

    const QLocale& locale() const { return m_locale; }
    const QString& dateFormat() const { return m_dateFormat; }
    const QString& timeFormat() const { return m_timeFormat; }

    static QDateTime zero();
    // The wall-clock value of a date and time, as read() gives it.
    static std::int64_t value(QDate date, QTime time);

private:
    std::optional<std::int64_t> readDate(const QString& text, QTime time) const;
    // The date before the blank at index blank, the time after it.
    std::optional<std::int64_t> readAt(const QString& text, qsizetype blank) const;

    QLocale m_locale;
    QString m_dateFormat;
    QString m_timeFormat;
    bool m_twoDigitYear = false;
    qsizetype m_dateBlanks = 0;
    qsizetype m_timeBlanks = 0;
    std::string m_zeroText;
};

// The locale's long time format without the time-zone name and the blanks,
// comma or brackets that set it off.
QString longTimeFormatWithoutZone(const QLocale& locale);

// A file's last-write time as local time at two-second precision, the
// resolution of DOS file times: rounded down to an even second.
QDateTime dosLocalTime(const QDateTime& fileTime);

} // namespace bw
