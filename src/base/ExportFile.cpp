#include "base/ExportFile.h"

#include <QDir>
#include <QIODevice>

namespace bw {

class ExportFile::Device : public QIODevice {
public:
    explicit Device(ExportFile& file)
        : m_file(file)
    {
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_file.write(std::string_view(data, static_cast<std::size_t>(size))))
            return size;
        setErrorString(m_file.m_error);
        return -1;
    }

private:
    ExportFile& m_file;
};

ExportFile::ExportFile(const QString& path)
    : m_path(path)
{
}

ExportFile::~ExportFile() = default;

bool ExportFile::fail(const QString& reason)
{
    m_error = reason;
    m_out.discard();
    return false;
}

bool ExportFile::open()
{
    m_error.clear();
    QString reason;
    return m_out.open(m_path, reason) || fail(reason);
}

bool ExportFile::write(std::string_view bytes)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_out.isOpen())
        return fail(QStringLiteral("The file is not open"));
    QString reason;
    return m_out.write(bytes.data(), static_cast<qint64>(bytes.size()), reason) || fail(reason);
}

bool ExportFile::commit()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_out.isOpen())
        return fail(QStringLiteral("The file is not open"));
    QString reason;
    return m_out.commit(reason) || fail(reason);
}

void ExportFile::discard()
{
    m_out.discard();
}

QString ExportFile::errorText() const
{
    return QDir::toNativeSeparators(m_path) + QStringLiteral(": ") + m_error;
}

QIODevice& ExportFile::device()
{
    if (!m_device) {
        m_device = std::make_unique<Device>(*this);
        m_device->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    return *m_device;
}

QString ExportFile::save(const QString& path, std::string_view bytes)
{
    ExportFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return QString();
    return file.errorText();
}

} // namespace bw
