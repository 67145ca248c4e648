#pragma once

#include <QString>

#include <string>

namespace bw {

class RowStore;

// Finds rows of a list by a text that their caption or any shown column
// contains, without regard to letter case. It only reads the rows: the list
// keeps its rows, their order and their texts.
class RowFinder {
public:
    struct Hit {
        int row = -1;   // -1: no row matches
        int number = 0; // the hit's place among all matching rows, from 1
        int count = 0;  // how many rows match
    };

    explicit RowFinder(const QString& text);

    bool empty() const { return m_text.isEmpty(); }

    // The first matching row at or after start (forward) or at or before it
    // (backward), going round the list's end; columns 0 to columnCount - 1
    // of the first rowCount rows are searched. One pass over the rows.
    Hit find(const RowStore& rows, int rowCount, int columnCount, int start, bool forward) const;

    bool matches(std::string_view cell) const;

private:
    QString m_text;
    // Text that is all ASCII is matched on the log's bytes, which spares
    // turning every cell into text; ASCII bytes read the same in UTF-8 and
    // Latin-1.
    bool m_ascii = true;
    std::string m_folded;
};

} // namespace bw
