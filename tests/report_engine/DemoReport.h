#pragma once

#include "report_engine/BandReport.h"

#include <QString>

#include <string>
#include <vector>

namespace bw::test {

// A band report over generated rows, for the engine's and the preview's
// tests: A4 portrait with 10 mm margins; a row with a note prints a second
// line, doubling the detail band. It logs every hook the engine calls.
class DemoReport {
public:
    struct Row {
        QString name;
        QString number;
        QString note; // empty: one line
    };

    static std::vector<Row> rows(int count, int noteEvery = 0)
    {
        std::vector<Row> out;
        for (int i = 1; i <= count; ++i)
            out.push_back({QStringLiteral("User %1").arg(i), QString::number(i * 1000),
                           noteEvery && i % noteEvery == 0 ? QStringLiteral("Note for %1").arg(i) : QString()});
        return out;
    }

    explicit DemoReport(std::vector<Row> data = rows(100), const QString& title = QStringLiteral("Demonstration Report"))
        : m_rows(std::move(data))
    {
        using Kind = BandReport::Kind;
        using Align = ReportField::Align;
        report.pageSetup() = PageSetup(PageSetup::Paper::A4, QPageLayout::Portrait, 10);
        ReportBand& header = report.band(Kind::PageHeader);
        header.setHeightMm(7.9);
        header.addText(title, 13.2, 2.6);
        header.addDateTime(153.5, 2.6);
        header.setBeforePrint([this](bool&) { log.push_back("pageHeader"); });
        ReportBand& titleBand = report.band(Kind::Title);
        titleBand.setHeightMm(7.9);
        titleBand.addText(QStringLiteral("Results of Parsing Log File"), 13.2, 2.6);
        path = &titleBand.addField(66.1, 2.6);
        titleBand.setBeforePrint([this](bool&) { log.push_back("title"); });
        ReportBand& columns = report.band(Kind::ColumnHeader);
        columns.setHeightMm(9.3);
        columns.addText(QStringLiteral("Name"), 2.6, 2.6);
        columns.addText(QStringLiteral("Number"), 74.1, 2.6, Align::Right);
        columns.addText(QStringLiteral("Note"), 100, 2.6, Align::Center);
        columns.setBeforePrint([this](bool&) { log.push_back("columnHeader"); });
        ReportBand& detail = report.band(Kind::Detail);
        name = &detail.addField(2.6, 0);
        number = &detail.addField(74.1, 0, Align::Right);
        note = &detail.addField(13.2, 5.3);
        detail.setBeforePrint([this](bool&) { log.push_back("detail"); });
        ReportBand& summary = report.band(Kind::Summary);
        summary.setHeightMm(10.6);
        total = &summary.addField(2.6, 2.6);
        summary.setBeforePrint([this](bool&) {
            log.push_back("summary");
            total->setText(QStringLiteral("Total - %1 rows").arg(m_index - 1));
        });

        report.setBeforePrint([this, title] {
            log.push_back("report");
            report.setTitle(title);
            path->setText(logPath);
            report.addDescription(QStringLiteral("Results of Parsing Log File ") + logPath);
            m_index = 0;
        });
        report.setNeedData([this] {
            log.push_back("need");
            const bool more = m_index < static_cast<int>(m_rows.size());
            if (more) {
                const Row& r = m_rows[static_cast<std::size_t>(m_index)];
                name->setText(r.name);
                number->setText(r.number);
                note->setText(r.note);
                note->setVisible(!r.note.isEmpty());
                report.band(BandReport::Kind::Detail).setHeightMm(r.note.isEmpty() ? 5.3 : 10.6);
            }
            ++m_index;
            return more;
        });
        report.setExpectedRows(static_cast<int>(m_rows.size()));
    }

    BandReport report;
    QString logPath = QStringLiteral("/logs/demo.log");
    std::vector<std::string> log;
    ReportField* path = nullptr;
    ReportField* name = nullptr;
    ReportField* number = nullptr;
    ReportField* note = nullptr;
    ReportField* total = nullptr;

private:
    std::vector<Row> m_rows;
    int m_index = 0;
};

} // namespace bw::test
