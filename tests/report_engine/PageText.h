#pragma once

#include "report_engine/ReportPage.h"

#include <QStringList>

namespace bw::test {

// A page's printed lines, each its texts joined by "|".
inline QStringList linesOf(const ReportPage& page)
{
    QStringList out;
    for (const auto& line : page.lines()) {
        QStringList texts;
        for (const PageText* t : line)
            texts << t->text;
        out << texts.join(u'|');
    }
    return out;
}

inline const PageText* findText(const ReportPage& page, const QString& text)
{
    for (const PageText& t : page.texts()) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

} // namespace bw::test
