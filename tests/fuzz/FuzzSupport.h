#pragma once

#include "cli/Cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <sstream>
#include <string>

namespace bw::fuzz {

// A log file of this process's own, rewritten for every input.
inline const std::string& logPath()
{
    static const std::string path =
        QFile::encodeName(QDir::tempPath()).toStdString() + "/brindlewick-fuzz-" + std::to_string(QCoreApplication::applicationPid()) + ".log";
    return path;
}

inline void writeLog(const std::string& bytes)
{
    QFile file(QFile::decodeName(logPath().c_str()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        __builtin_trap();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        __builtin_trap();
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The command line's scan of the log file; sortByte chooses the sort options
// (low four bits the column, 15 for none; the high bit descending).
inline CliRun scanLog(const char* kind, std::uint8_t sortByte)
{
    std::vector<std::string> args{"scan", kind, logPath()};
    if ((sortByte & 0x0f) != 0x0f)
        args.insert(args.end(), {"--sort", std::to_string(sortByte & 0x0f)});
    if (sortByte & 0x80)
        args.push_back("--descending");
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace bw::fuzz
