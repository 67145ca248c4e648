#pragma once

#include <QIODevice>

#include <cstring>
#include <string>

namespace bw::test {

// Serves the given bytes, then fails every read once failAfter bytes have
// been delivered (failAfter < 0: never fails).
class FailingDevice : public QIODevice {
public:
    FailingDevice(std::string data, qint64 failAfter)
        : m_data(std::move(data))
        , m_failAfter(failAfter)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    qint64 size() const override { return static_cast<qint64>(m_data.size()); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        if (m_failAfter >= 0 && m_pos >= m_failAfter) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        qint64 n = std::min<qint64>(max, static_cast<qint64>(m_data.size()) - m_pos);
        if (m_failAfter >= 0)
            n = std::min(n, m_failAfter - m_pos);
        std::memcpy(out, m_data.data() + m_pos, static_cast<std::size_t>(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::string m_data;
    qint64 m_failAfter;
    qint64 m_pos = 0;
};

} // namespace bw::test
