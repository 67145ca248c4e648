#include "versioninfo/VersionBlockWriter.h"

#include "versioninfo/VersionBlock.h"

#include <QStringList>
#include <QtEndian>

#include <algorithm>

namespace bw {

namespace {

void appendWord(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendDword(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void pad(QByteArray& out)
{
    while (out.size() % 4 != 0)
        out.append('\0');
}

void appendText(QByteArray& out, const QString& text)
{
    for (const QChar c : text)
        appendWord(out, c.unicode());
    appendWord(out, 0);
}

// One node, its offsets counted from its own start, which the caller places
// on a 4-byte boundary. valueLength is in characters for text, bytes else.
QByteArray node(const QString& key, const QByteArray& value, quint16 valueLength, bool isText,
                const std::vector<QByteArray>& children = {})
{
    QByteArray out(6, '\0');
    appendText(out, key);
    pad(out);
    out.append(value);
    for (const QByteArray& child : children) {
        pad(out);
        out.append(child);
    }
    qToLittleEndian(static_cast<quint16>(out.size()), out.data());
    qToLittleEndian(valueLength, out.data() + 2);
    qToLittleEndian(static_cast<quint16>(isText ? 1 : 0), out.data() + 4);
    return out;
}

QByteArray stringNode(const QString& key, const QString& value)
{
    QByteArray text;
    appendText(text, value);
    return node(key, text, static_cast<quint16>(value.size() + 1), true);
}

} // namespace

void VersionBlockWriter::addString(const QString& table, const QString& key, const QString& value)
{
    auto it = std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& t) { return t.name == table; });
    if (it == m_tables.end())
        it = m_tables.insert(m_tables.end(), Table{table, {}});
    it->strings.emplace_back(key, value);
}

void VersionBlockWriter::addTranslation(quint16 language, quint16 codePage)
{
    m_translations.emplace_back(language, codePage);
}

QByteArray VersionBlockWriter::block() const
{
    QByteArray fixed;
    appendDword(fixed, VersionBlock::fixedSignature);
    appendDword(fixed, 0x00010000); // structure version 1.0
    appendDword(fixed, quint32(m_fileVersion[0]) << 16 | m_fileVersion[1]);
    appendDword(fixed, quint32(m_fileVersion[2]) << 16 | m_fileVersion[3]);
    appendDword(fixed, quint32(m_productVersion[0]) << 16 | m_productVersion[1]);
    appendDword(fixed, quint32(m_productVersion[2]) << 16 | m_productVersion[3]);
    appendDword(fixed, 0x3F);       // flags mask
    appendDword(fixed, 0);          // flags
    appendDword(fixed, 0x00040004); // Windows NT, 32-bit
    appendDword(fixed, 1);          // an application
    appendDword(fixed, 0);          // subtype
    appendDword(fixed, 0);          // date, high
    appendDword(fixed, 0);          // date, low

    std::vector<QByteArray> children;
    if (!m_tables.empty()) {
        std::vector<QByteArray> tables;
        for (const Table& table : m_tables) {
            std::vector<QByteArray> strings;
            for (const auto& [key, value] : table.strings)
                strings.push_back(stringNode(key, value));
            tables.push_back(node(table.name, {}, 0, true, strings));
        }
        children.push_back(node(QStringLiteral("StringFileInfo"), {}, 0, true, tables));
    }
    QByteArray translations;
    if (m_translationBytes) {
        translations = *m_translationBytes;
    } else {
        for (const auto& [language, codePage] : m_translations) {
            appendWord(translations, language);
            appendWord(translations, codePage);
        }
    }
    if (m_translationBytes || !m_translations.empty()) {
        const QByteArray var =
            node(QStringLiteral("Translation"), translations, static_cast<quint16>(translations.size()), false);
        children.push_back(node(QStringLiteral("VarFileInfo"), {}, 0, true, {var}));
    }
    return node(QStringLiteral("VS_VERSION_INFO"), fixed, static_cast<quint16>(fixed.size()), false, children);
}

VersionBlockWriter::Version VersionBlockWriter::versionNumbers(const QString& text)
{
    Version version{};
    const QStringList parts = text.split(u'.');
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        version[static_cast<std::size_t>(i)] = parts[i].toUShort();
    return version;
}

} // namespace bw
