#include "cli/ReportOutput.h"

#include "reports/BlobReport.h"
#include "reports/ContentsReport.h"
#include "reports/DocumentReport.h"
#include "reports/ExpireReport.h"
#include "session/ScanSession.h"

#include <QGuiApplication>

namespace bw {

namespace {

std::unique_ptr<ScanReport> reportFor(const ScanSession& session)
{
    switch (session.kind()) {
    case ScanKind::Contents:
        return std::make_unique<ContentsReport>(session);
    case ScanKind::Documents:
        return std::make_unique<DocumentReport>(session);
    case ScanKind::Expire:
        return std::make_unique<ExpireReport>(session);
    case ScanKind::Structure:
        break;
    }
    return std::make_unique<BlobReport>(session);
}

} // namespace

std::unique_ptr<QCoreApplication> ReportOutput::guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // Qt keeps the arguments for the application's whole life.
    static int argc = 1;
    static char name[] = "brindlewick-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

ReportOutput::ReportOutput(const ScanSession& session)
    : m_report(reportFor(session))
{
}

ReportOutput::~ReportOutput() = default;

void ReportOutput::atEnd()
{
    if (!m_report->session().rows().empty() || m_reports == 0)
        add();
}

void ReportOutput::add()
{
    if (m_failed)
        return;
    ++m_reports;
    m_failed = !produce(m_reports, m_error);
}

bool ReportOutput::finish(std::ostream& err)
{
    if (!m_failed)
        m_failed = !complete(m_error);
    if (m_failed)
        err << "brindlewick-cli: " << m_error.toStdString() << '\n';
    return !m_failed;
}

} // namespace bw
