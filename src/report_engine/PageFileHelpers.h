#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// Copies pages from to to (1-based, both included; from 0: every page) of
// the source page file into a new page file. A range that holds no page
// gives a file without pages. False, with nothing written, when the source
// cannot be read or the destination written; error says why.
bool extractPages(const QString& source, const QString& destination, int from, int to, QString* error = nullptr);

// What mergePageFiles answers.
enum MergeResult : int {
    MergeOk = 0,
    MergeNoDestination = -1,
    MergeNoList = -2,
    MergeEmptyList = -3,
    // One of the files could not be read, or the destination not written.
    MergeFileError = -4,
};

// Writes the pages of every listed page file, in order, into one page file.
// Nothing is written when the destination name is empty, no list is given
// or the list is empty; those are tested in that order and the last that
// fails gives the result.
int mergePageFiles(const QString& destination, const QStringList* files, QString* error = nullptr);

} // namespace bw
