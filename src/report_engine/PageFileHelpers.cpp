#include "report_engine/PageFileHelpers.h"

#include "report_engine/PageFile.h"
#include "report_engine/PageList.h"

#include <QIODevice>

namespace bw {

namespace {

// Puts the list's page count into its header, through the header's stream.
bool correctHeader(PageList& list)
{
    QIODevice& stream = list.stream();
    if (!stream.seek(0))
        return false;
    QByteArray header = stream.read(PageFile::headerSize);
    if (header.size() != PageFile::headerSize)
        return false;
    PageFile::setPageCount(header, static_cast<quint32>(list.pageCount()));
    return stream.seek(0) && stream.write(header) == header.size();
}

} // namespace

bool extractPages(const QString& source, const QString& destination, int from, int to, QString* error)
{
    PageList in;
    if (!in.loadFromFile(source, error))
        return false;
    PageList out;
    for (int i = 1; i <= in.pageCount(); ++i) {
        if (from != 0 && (i < from || i > to))
            continue;
        const std::optional<ReportPage> page = in.page(i);
        if (!page || !out.append(*page)) {
            if (error)
                *error = QStringLiteral("Could not copy page %1.").arg(i);
            return false;
        }
    }
    return correctHeader(out) && out.saveToFile(destination, error);
}

int mergePageFiles(const QString& destination, const QStringList* files, QString* error)
{
    int result = MergeOk;
    if (destination.isEmpty())
        result = MergeNoDestination;
    if (!files)
        result = MergeNoList;
    else if (files->isEmpty())
        result = MergeEmptyList;
    if (result != MergeOk)
        return result;
    PageList out;
    for (const QString& name : *files) {
        PageList in;
        if (!in.loadFromFile(name, error) || !out.appendAll(in))
            return MergeFileError;
    }
    if (!correctHeader(out) || !out.saveToFile(destination, error))
        return MergeFileError;
    return MergeOk;
}

} // namespace bw
