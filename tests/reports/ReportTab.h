#pragma once

#include "lists/SortState.h"
#include "report_engine/ReportPage.h"
#include "session/ScanSession.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <QStringList>

#include <string>
#include <vector>

namespace bw::test {

// One tab's session scanning a log written for the test or a shipped
// sample, stepped to its pauses as the window would be.
class ReportTab {
public:
    ReportTab(ScanKind kind, const std::string& logText)
        : m_log(logText)
        , session(kindProfile(kind), sort, prompter)
    {
        start(m_log.path());
    }
    ReportTab(ScanKind kind, const QString& samplePath)
        : m_log(std::string())
        , session(kindProfile(kind), sort, prompter)
    {
        start(samplePath);
    }

    // Steps to the next pause; false when the scan ended instead.
    bool toPause()
    {
        while (session.scanRunning()) {
            if (session.step() == Scan::Outcome::Paused)
                return true;
        }
        return false;
    }
    void next()
    {
        session.continueScan();
    }

private:
    void start(const QString& path)
    {
        session.setSelfDriven(false);
        session.choose(path);
        session.parse();
    }

    TempLog m_log;

public:
    FakePrompter prompter;
    SortState sort;
    ScanSession session;
};

// Every page's printed lines, texts joined by "|", the page header's date
// and time shown as "NOW".
// The sheet a report prints on, in whole millimetres: its designed paper,
// or the default printer's when one is installed, as each run takes it.
inline QSize expectedSheetMm(QPageSize::PageSizeId designed, bool landscape)
{
    QPageSize size(designed);
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        size = printer.defaultPageSize();
    const QSize mm = size.size(QPageSize::Millimeter).toSize();
    return landscape ? mm.transposed() : mm;
}

inline QStringList printedLines(const std::vector<ReportPage>& pages)
{
    QStringList out;
    for (const ReportPage& page : pages) {
        for (const auto& line : page.lines()) {
            QStringList texts;
            for (const PageText* t : line)
                texts << t->text;
            if (texts.size() == 2 && texts[0].startsWith(QStringLiteral("GWCheck ")))
                texts[1] = QStringLiteral("NOW");
            out << texts.join(u'|');
        }
    }
    return out;
}

// Texts whose boxes cross, as "a / b"; a printed page should have none.
inline QStringList overlaps(const ReportPage& page)
{
    QStringList out;
    const std::vector<PageText>& texts = page.texts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF common = texts[i].rectMm.intersected(texts[j].rectMm);
            if (common.width() > 0.01 && common.height() > 0.01)
                out << texts[i].text + QStringLiteral(" / ") + texts[j].text;
        }
    }
    return out;
}

inline const PageText* textOn(const ReportPage& page, const QString& text)
{
    for (const PageText& t : page.texts()) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

inline QString sample(const char* name)
{
    return QStringLiteral(BW_SAMPLES "/") + QString::fromLatin1(name);
}

} // namespace bw::test
