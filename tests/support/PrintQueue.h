#pragma once

#include <QDir>
#include <QHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <vector>

namespace bw::test {

// The PDF print queues that scripts/test.sh sets up on a CUPS scheduler of
// its own, named in the environment: BRINDLEWICK_TEST_PRINTER (the default
// queue), BRINDLEWICK_TEST_PRINTER2 (a second one), the folder cups-pdf
// writes to and the scheduler's page log.
class PrintQueue {
public:
    static QString printer() { return qEnvironmentVariable("BRINDLEWICK_TEST_PRINTER"); }
    static QString secondPrinter() { return qEnvironmentVariable("BRINDLEWICK_TEST_PRINTER2"); }
    static QString outputDir() { return qEnvironmentVariable("BRINDLEWICK_TEST_PRINT_OUTPUT"); }
    static QString pageLog() { return qEnvironmentVariable("BRINDLEWICK_TEST_PAGE_LOG"); }

    // Empty when the queues are there; otherwise why the test cannot print.
    static QString unreachable()
    {
        if (printer().isEmpty() || secondPrinter().isEmpty() || outputDir().isEmpty() || pageLog().isEmpty())
            return QStringLiteral("no print queue named in the environment: scripts/test.sh starts a CUPS "
                                  "scheduler with two PDF queues for these tests");
        for (const QString& name : {printer(), secondPrinter()}) {
            if (QPrinterInfo::printerInfo(name).isNull())
                return QStringLiteral("the print queue %1 is not reachable through CUPS").arg(name);
        }
        return QString();
    }

    static int indexOf(const QString& name) { return static_cast<int>(QPrinterInfo::availablePrinterNames().indexOf(name)); }

    // The PDFs cups-pdf wrote for jobs named after the title, oldest first,
    // once count of them are complete; fewer when they do not come in time.
    // The queues' PDFs carry their job's id in their names (the PPD labels
    // them so).
    static QStringList waitForPdfs(const QString& title, int count, int ms = 60000)
    {
        QElapsedTimer clock;
        clock.start();
        QStringList found;
        do {
            // The scheduler logs a job's pages when the job is done.
            found = complete(title);
            if (found.size() >= count)
                return found;
            QThread::msleep(100);
        } while (clock.elapsed() < ms);
        return found;
    }

    // The scheduler's page-log lines of jobs named after the title.
    static QStringList pageLogLines(const QString& title)
    {
        QFile log(pageLog());
        QStringList lines;
        if (!log.open(QIODevice::ReadOnly))
            return lines;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.contains(' ' + title.toUtf8() + ' '))
                lines << QString::fromUtf8(line);
        }
        return lines;
    }

    static int pdfPageCount(const QString& pdf)
    {
        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    // The page's lines as pdftotext lays them out, blanks runs made one.
    static QStringList pdfPageLines(const QString& pdf, int page)
    {
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                  QString::number(page), QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QStringList lines;
        for (const QString& line : text.split(u'\n')) {
            if (const QString s = line.simplified(); !s.isEmpty())
                lines << s;
        }
        return lines;
    }

    // The lines with every character but the blank replaced by the order of
    // its first appearance. cups-pdf's PDFs carry their text in fonts of
    // their own encoding, so pdftotext reads glyphs other than the letters
    // printed, one for one: a page prints the same text as another exactly
    // when their patterns agree.
    static QString pattern(const QStringList& lines)
    {
        QHash<QChar, QChar> code;
        QString out;
        for (const QString& line : lines) {
            for (const QChar c : line) {
                if (c == u' ') {
                    out += c;
                    continue;
                }
                auto it = code.find(c);
                if (it == code.end()) {
                    // Letters while they last, so that a failure reads.
                    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
                    const auto n = code.size();
                    it = code.insert(c, n < letters.size() ? letters[n] : QChar(0xE000 + static_cast<int>(n)));
                }
                out += *it;
            }
            out += u'\n';
        }
        return out;
    }

private:
    static QString run(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // The files cups-pdf has finished for the jobs of that title, in job
    // order. A job is found by its id in the scheduler's page log, and its
    // file by the id cups-pdf puts at the end of the name, so that files of
    // other runs with the same title are never taken for this run's.
    static QStringList complete(const QString& title)
    {
        QDir dir(outputDir());
        QStringList out;
        for (const QString& line : pageLogLines(title)) {
            // printer user job-id [date] ...
            const QString id = line.section(u' ', 2, 2);
            const QFileInfoList files = dir.entryInfoList({QStringLiteral("*-job_") + id + QStringLiteral(".pdf")}, QDir::Files);
            if (files.size() == 1 && pdfPageCount(files[0].filePath()) >= 0)
                out << files[0].filePath();
        }
        return out;
    }
};

} // namespace bw::test
