#include "base/DateTimeText.h"

#include <QCalendar>

namespace bw {

namespace {

constexpr std::int64_t msecsPerDay = 86400000;

bool leftSeparator(QChar c)
{
    return c.isSpace() || c == u',' || c == u'(' || c == u'[';
}

bool rightSeparator(QChar c)
{
    return c.isSpace() || c == u',' || c == u')' || c == u']';
}

// Where the first unquoted run of 't' starts, or -1.
qsizetype zoneToken(const QString& format, qsizetype& end)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u't') {
            end = i;
            while (end < format.size() && format.at(end) == u't')
                ++end;
            return i;
        }
    }
    return -1;
}

// Whether the format's year has two digits only (quoted text aside).
bool hasTwoDigitYear(const QString& format)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || c != u'y')
            continue;
        qsizetype n = 0;
        while (i + n < format.size() && format.at(i + n) == u'y')
            ++n;
        return n < 4;
    }
    return false;
}

qsizetype nthBlank(const QString& s, qsizetype n)
{
    qsizetype at = s.indexOf(u' ');
    while (n-- > 0 && at >= 0)
        at = s.indexOf(u' ', at + 1);
    return at;
}

} // namespace

QString longTimeFormatWithoutZone(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    qsizetype end = 0;
    for (qsizetype start = zoneToken(format, end); start >= 0; start = zoneToken(format, end)) {
        QString left = format.left(start);
        QString right = format.mid(end);
        while (!left.isEmpty() && leftSeparator(left.back()))
            left.chop(1);
        while (!right.isEmpty() && rightSeparator(right.front()))
            right.remove(0, 1);
        format = left.isEmpty() || right.isEmpty() ? left + right : left + u' ' + right;
    }
    return format;
}

QDateTime dosLocalTime(const QDateTime& fileTime)
{
    const QDateTime local = fileTime.toLocalTime();
    if (!local.isValid())
        return local;
    return local.addMSecs(-(local.time().msecsSinceStartOfDay() % 2000));
}

DateTimeText::DateTimeText(const QLocale& locale)
    : m_locale(locale)
    , m_dateFormat(locale.dateFormat(QLocale::ShortFormat))
    , m_timeFormat(longTimeFormatWithoutZone(locale))
    , m_twoDigitYear(hasTwoDigitYear(m_dateFormat))
{
    m_zeroText = text(zero());
    m_dateBlanks = QString::fromStdString(m_zeroText).count(u' ');
    m_timeBlanks = m_locale.toString(QTime(13, 4, 6), m_timeFormat).count(u' ');
}

QDateTime DateTimeText::zero()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

std::int64_t DateTimeText::value(QDate date, QTime time)
{
    static const qint64 zeroDay = QDate(1899, 12, 30).toJulianDay();
    return (date.toJulianDay() - zeroDay) * msecsPerDay + time.msecsSinceStartOfDay();
}

std::string DateTimeText::text(const QDateTime& local) const
{
    QString s = m_locale.toString(local.date(), m_dateFormat);
    const QTime time = local.time();
    if (time != QTime(0, 0)) {
        s += u' ';
        s += m_locale.toString(time, m_timeFormat);
    }
    return s.toStdString();
}

std::optional<std::int64_t> DateTimeText::read(std::string_view text) const
{
    if (text == m_zeroText)
        return 0;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Each reading through QLocale is slow: first try where the blanks of
    // our own texts say the time starts, then every split.
    const qsizetype blanks = s.count(u' ');
    if (blanks == m_dateBlanks) {
        if (auto v = readDate(s, QTime(0, 0)))
            return v;
    } else if (blanks == m_dateBlanks + 1 + m_timeBlanks) {
        if (auto v = readAt(s, nthBlank(s, m_dateBlanks)))
            return v;
    }
    if (auto v = readDate(s, QTime(0, 0)))
        return v;
    for (qsizetype blank = s.indexOf(u' '); blank >= 0; blank = s.indexOf(u' ', blank + 1)) {
        if (auto v = readAt(s, blank))
            return v;
    }
    return std::nullopt;
}

std::optional<std::int64_t> DateTimeText::readAt(const QString& text, qsizetype blank) const
{
    const QTime time = m_locale.toTime(text.mid(blank + 1), m_timeFormat);
    if (!time.isValid())
        return std::nullopt;
    return readDate(text.left(blank), time);
}

std::optional<std::int64_t> DateTimeText::readDate(const QString& text, QTime time) const
{
    QDate date = m_locale.toDate(text, m_dateFormat);
    if (m_twoDigitYear && !date.isValid()) {
        // Qt reads "yy" as 19yy, where 29 February 00 does not exist; the
        // Julian calendar has that day, so read the fields through it.
        const QCalendar julian(QCalendar::System::Julian);
        const QDate read = m_locale.toDate(text, m_dateFormat, julian);
        if (read.isValid()) {
            const QCalendar::YearMonthDay parts = julian.partsFromDate(read);
            date = QDate(parts.year < 1970 ? parts.year + 100 : parts.year, parts.month, parts.day);
        }
    } else if (m_twoDigitYear && date.year() < 1970) {
        date = date.addYears(100);
    }
    if (!date.isValid())
        return std::nullopt;
    return value(date, time);
}

} // namespace bw
