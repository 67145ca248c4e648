#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace bw {

// Lays out a version-resource block (see VersionBlock): the fixed file
// information, one string table per language and code page, and the
// translation table. The build embeds one in each program; tests build odd
// ones.
class VersionBlockWriter {
public:
    using Version = std::array<quint16, 4>;

    void setFileVersion(const Version& version) { m_fileVersion = version; }
    void setProductVersion(const Version& version) { m_productVersion = version; }
    // table is the language and code page in hexadecimal, "040904b0".
    void addString(const QString& table, const QString& key, const QString& value);
    void addTranslation(quint16 language, quint16 codePage);
    // The translation table's value as given, however short; replaces the
    // entries added.
    void setTranslationBytes(const QByteArray& bytes) { m_translationBytes = bytes; }

    QByteArray block() const;

    // "1.2.3" as the four numbers of the fixed information, missing ones 0.
    static Version versionNumbers(const QString& text);

private:
    struct Table {
        QString name;
        std::vector<std::pair<QString, QString>> strings;
    };

    Version m_fileVersion{};
    Version m_productVersion{};
    std::vector<Table> m_tables;
    std::vector<std::pair<quint16, quint16>> m_translations;
    std::optional<QByteArray> m_translationBytes;
};

} // namespace bw
