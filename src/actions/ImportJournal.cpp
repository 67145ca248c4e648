#include "actions/ImportJournal.h"

#include "base/ExportFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace bw {

ImportJournal::ImportJournal(const QString& importFile)
    : m_importFile(importFile)
    , m_path(QFile::encodeName(journalPath(importFile)).toStdString())
{
}

ImportJournal::~ImportJournal()
{
    if (m_file.isOpen() && m_lines == 0)
        StoreFiles::removeFile(m_path);
}

QString ImportJournal::journalPath(const QString& importFile)
{
    return importFile + QStringLiteral(".journal");
}

bool ImportJournal::fail(int code)
{
    m_error = QDir::toNativeSeparators(m_importFile) + QStringLiteral(": ") + StoreFiles::reason(code);
    return false;
}

bool ImportJournal::open()
{
    int error = 0;
    m_file = StoreFiles::openJournal(m_path, error);
    if (!m_file.isOpen()) {
        if (error == EWOULDBLOCK) {
            m_error = QDir::toNativeSeparators(m_importFile) +
                      QStringLiteral(": another rescue is writing this import file");
            return false;
        }
        return fail(error);
    }
    std::string earlier;
    if (const int code = StoreFiles::readAll(m_file, earlier))
        return fail(code);
    // A line cut short by a full disk or a crash was never followed by its
    // rename: it goes.
    const std::size_t end = earlier.rfind('\n');
    const std::size_t whole = end == std::string::npos ? 0 : end + 1;
    if (whole != earlier.size()) {
        if (const int code = StoreFiles::truncateSynced(m_file, static_cast<qint64>(whole)))
            return fail(code);
    }
    m_size = static_cast<qint64>(whole);
    m_lines = static_cast<int>(std::count(earlier.begin(), earlier.begin() + static_cast<std::ptrdiff_t>(whole), '\n'));
    return true;
}

bool ImportJournal::append(std::string_view line)
{
    if (const int code = StoreFiles::appendSynced(m_file, line)) {
        // Nothing of a line that did not go through stays.
        StoreFiles::truncateSynced(m_file, m_size);
        return fail(code);
    }
    m_sizeBeforeLast = m_size;
    m_size += static_cast<qint64>(line.size());
    ++m_lines;
    return true;
}

bool ImportJournal::retractLast()
{
    if (m_sizeBeforeLast < 0)
        return true;
    if (const int code = StoreFiles::truncateSynced(m_file, m_sizeBeforeLast))
        return fail(code);
    m_size = m_sizeBeforeLast;
    m_sizeBeforeLast = -1;
    --m_lines;
    return true;
}

bool ImportJournal::commit()
{
    if (!m_file.isOpen())
        return true;
    if (m_lines > 0) {
        std::string text;
        if (const int code = StoreFiles::readAll(m_file, text))
            return fail(code);
        const QString error = ExportFile::save(m_importFile, folded(text));
        if (!error.isEmpty()) {
            m_error = error;
            return false;
        }
    }
    // The import file holds every line now; a crash before this point only
    // leaves lines that the next run folds in once more.
    if (const int code = StoreFiles::removeFile(m_path))
        return fail(code);
    m_file = FileHandle();
    return true;
}

std::string ImportJournal::folded(std::string_view text)
{
    static constexpr std::string_view dateField = ",\"ReImported on ";
    std::vector<std::string_view> lines;
    std::unordered_map<std::string_view, std::size_t> place;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(start, end - start);
        start = end;
        const std::size_t date = line.rfind(dateField);
        const std::string_view key = date == std::string_view::npos ? line : line.substr(0, date);
        const auto [it, added] = place.emplace(key, lines.size());
        if (added)
            lines.push_back(line);
        else
            lines[it->second] = line;
    }
    std::string out;
    out.reserve(text.size());
    for (const std::string_view line : lines)
        out += line;
    return out;
}

} // namespace bw
