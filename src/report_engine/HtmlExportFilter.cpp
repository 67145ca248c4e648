#include "report_engine/HtmlExportFilter.h"

#include "report_engine/ReportPage.h"

namespace bw {

namespace {

QString escaped(const QString& text)
{
    QString out = text.toHtmlEscaped();
    out.replace(u'\'', QStringLiteral("&#39;"));
    return out;
}

QString mm(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("mm");
}

} // namespace

ExportFilterList::Entry HtmlExportFilter::entry()
{
    return {QStringLiteral("HTML document"), QStringLiteral("HTM"),
            [](const QString& fileName) { return std::make_unique<HtmlExportFilter>(fileName); }};
}

void HtmlExportFilter::write(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    writeStream(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void HtmlExportFilter::begin(const QString& title)
{
    // Written as the pages come: a large report is never whole in memory.
    m_begun = true;
    openStream();
    write(QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>") + escaped(title)
            + QStringLiteral("</title>\n<style>\n"
                             ".page { position: relative; margin: 1em auto; border: 1px solid #999; }\n"
                             ".page span { position: absolute; white-space: pre; }\n"
                             ".page span.wrap { white-space: pre-wrap; }\n"
                             "</style>\n</head>\n<body>\n"));
}

void HtmlExportFilter::addPage(const ReportPage& page)
{
    if (!m_begun)
        begin(QString());
    QString out = QStringLiteral("<div class=\"page\" style=\"width: %1; height: %2;\">\n")
                      .arg(mm(page.sizeMm().width()), mm(page.sizeMm().height()));
    for (const PageText& t : page.texts()) {
        const char* align = t.align == PageText::Align::Right ? "right"
                            : t.align == PageText::Align::Center ? "center"
                                                                  : "left";
        out += QStringLiteral("<span%1 style=\"left: %2; top: %3; width: %4; text-align: %5; font: %6%7%8pt &quot;%9&quot;;\">")
                     .arg(t.wrap ? QStringLiteral(" class=\"wrap\"") : QString(), mm(t.rectMm.left()),
                          mm(t.rectMm.top()), mm(t.rectMm.width()), QString::fromLatin1(align),
                          t.italic ? QStringLiteral("italic ") : QString(),
                          t.bold ? QStringLiteral("bold ") : QString(), QString::number(t.pointSize),
                          escaped(t.family));
        out += escaped(t.text) + QStringLiteral("</span>\n");
    }
    out += QStringLiteral("</div>\n");
    write(out);
}

bool HtmlExportFilter::finish()
{
    if (!m_begun)
        begin(QString());
    write(QStringLiteral("</body>\n</html>\n"));
    return commitStream();
}

} // namespace bw
