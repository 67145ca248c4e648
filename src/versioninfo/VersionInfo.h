#pragma once

#include "versioninfo/VersionBlock.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace bw {

// Reads the version resource of a program file and gives single values of
// its string table by number (1 CompanyName to 10 Comments). Failures are
// raised as VersionInfoError.
class VersionInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString fileName READ fileName WRITE setFileName)
    Q_PROPERTY(bool includeTitles READ includeTitles WRITE setIncludeTitles)
public:
    explicit VersionInfo(QObject* parent = nullptr);

    const QString& fileName() const { return m_fileName; }
    // Stores the path and loads its resource at once; an empty path loads
    // nothing.
    void setFileName(const QString& path);
    bool includeTitles() const { return m_includeTitles; }
    void setIncludeTitles(bool include);

    // The value of key number (1 to 10) in the string table of the first
    // translation; empty when the table lacks the key or the number is
    // outside 1 to 10.
    QString value(int number);

    // The key of number, empty outside 1 to 10.
    static QString keyName(int number);

private:
    [[noreturn]] void raise(int number) const;

    QString m_fileName;
    bool m_includeTitles = false;
    VersionBlock m_block;
    QString m_prefix;
    // Emptied by setIncludeTitles; nothing fills them.
    QStringList m_titles;
    QStringList m_values;
};

} // namespace bw
