#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace bw {

// Keeps one instance of the program per user. The first instance listens on
// a local socket named after the title and the user, reachable by that user
// only; a later start connects, checks that the other end runs as the same
// user, asks it to come forward (handing over a log to pick, if it was given
// one) and ends.
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    // The request arrives whole or not at all; anything longer is not ours.
    static constexpr qint64 maxRequestBytes = 64 * 1024;

    // The socket is named after title and the user, in the user's runtime
    // folder or a private folder of the user's under the temporary folder.
    explicit InstanceGuard(const QString& title, QObject* parent = nullptr);
    ~InstanceGuard() override;

    // The socket's path; empty when no private folder can be had (then the
    // program runs without the guard).
    static QString serverName(const QString& title);

    // True when another instance runs: it has been asked to come forward and
    // to pick logPath (an absolute path) when that is not empty. Otherwise
    // this instance becomes the first and listens; if it cannot, it runs all
    // the same without a guard.
    bool anotherInstanceRuns(const QString& logPath = QString());
    bool isListening() const;
    // A second start whose log's path was too long to hand over (said on
    // standard error).
    bool refused() const { return m_refused; }
    // The socket's full path, once listening.
    QString fullServerName() const;

    // Receives the requests of later starts: the log to pick, or empty text.
    // Requests that came before a receiver was set are handed to it at once
    // (the last of them).
    void setReceiver(std::function<void(const QString& logPath)> receiver);

private:
    bool handOver(const QString& logPath);
    void accept();
    void readRequest(QLocalSocket* socket);
    void deliver(const QString& logPath);

    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<void(const QString&)> m_receiver;
    std::optional<QString> m_pending;
    bool m_refused = false;
};

} // namespace bw
