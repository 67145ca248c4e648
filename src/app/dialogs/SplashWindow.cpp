#include "app/dialogs/SplashWindow.h"

#include "BrindlewickVersion.h"
#include "base/AccountName.h"
#include "versioninfo/VersionInfo.h"
#include "versioninfo/VersionInfoError.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QSvgRenderer>

namespace bw {

namespace {

QFont timesNewRoman(int points, bool bold, bool italic)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont msSansSerif()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// The window's picture: a parchment ground with a darker band under the
// version line, and the program's icon on the right.
QPixmap splashPicture(qreal ratio)
{
    QPixmap pixmap(QSize(SplashWindow::clientWidth, SplashWindow::clientHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, SplashWindow::clientWidth, SplashWindow::clientHeight);
    ground.setColorAt(0, QColor(0xfd, 0xfa, 0xf0));
    ground.setColorAt(1, QColor(0xe6, 0xdc, 0xc0));
    painter.fillRect(QRect(0, 0, SplashWindow::clientWidth, SplashWindow::clientHeight), ground);
    painter.fillRect(QRect(0, 178, SplashWindow::clientWidth, SplashWindow::clientHeight - 178), QColor(0xd9, 0xcd, 0xab));
    painter.fillRect(QRect(0, 176, SplashWindow::clientWidth, 2), QColor(0x1b, 0x3f, 0x5c));
    painter.setPen(QPen(QColor(0x1b, 0x3f, 0x5c), 2));
    painter.drawRect(QRectF(1, 1, SplashWindow::clientWidth - 2, SplashWindow::clientHeight - 2));
    QSvgRenderer icon(QStringLiteral(":/brindlewick.svg"));
    icon.render(&painter, QRectF(256, 40, 124, 124));
    return pixmap;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    // An ampersand shows as itself.
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x12, 0x24, 0x36));
    label->setPalette(palette);
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QString::fromUtf8(build::title));
    // The picture and the places of the labels are in pixels, whatever the
    // user's font.
    setFixedSize(clientWidth, clientHeight);
    setFont(msSansSerif());

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(0, 0, clientWidth, clientHeight);
    m_picture->setScaledContents(true);
    m_picture->setPixmap(splashPicture(devicePixelRatioF()));

    m_companyLabel = makeLabel(this, "Label4", timesNewRoman(16, true, true));
    m_titleLabel = makeLabel(this, "Label2", timesNewRoman(16, true, false));
    m_titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_titleLabel->setWordWrap(true);
    m_versionLabel = makeLabel(this, "Label3", timesNewRoman(10, false, false));
    m_copyrightLabel = makeLabel(this, "Label1", msSansSerif());
    m_copyrightLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_hintLabel = makeLabel(this, "Label5", msSansSerif());
    m_versionInfo = new VersionInfo(this);
    m_versionInfo->setIncludeTitles(false);

    createWidgets();

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::createWidgets()
{
    m_titleLabel->setText(QString::fromUtf8(build::title));
    QString copyright;
    QString fileVersion;
    QString company;
    try {
        m_versionInfo->setFileName(QCoreApplication::applicationFilePath());
        copyright = m_versionInfo->value(5);
        fileVersion = m_versionInfo->value(3);
        company = m_versionInfo->value(1);
    } catch (const VersionInfoError& error) {
        // A program file without its version block still starts.
        qWarning("brindlewick: %s", qPrintable(error.message()));
    }
    m_copyrightLabel->setText(copyright);
    m_versionLabel->setText(QStringLiteral("Version ") + fileVersion);
    m_companyLabel->setText(company);
    m_hintLabel->clear();
    m_aboutMode = 0;
    m_hiddenAtStartUp = hasNoSplashSwitch(QCoreApplication::arguments().mid(1));
    place();
}

void SplashWindow::place()
{
    for (QLabel* label : {m_copyrightLabel, m_versionLabel, m_companyLabel, m_hintLabel})
        label->adjustSize();
    m_companyLabel->move(35, 10);
    m_titleLabel->setFixedWidth(202);
    m_titleLabel->setFixedHeight(m_titleLabel->heightForWidth(202));
    m_titleLabel->move(25, 105);
    m_versionLabel->move(35, 185);
    m_copyrightLabel->move(376 - m_copyrightLabel->width(), 185);
    m_hintLabel->move(35, 200);
}

void SplashWindow::showSplash()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    show();
    raise();
    repaint();
    // The window appears now, not when the event loop starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::openAbout()
{
    becomeAbout();
    exec();
}

void SplashWindow::becomeAbout()
{
    m_hintLabel->setText(QStringLiteral("Double Click to Exit"));
    m_aboutMode = 1;
    place();
    setModal(true);
}

QString SplashWindow::userName()
{
    return effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>"));
}

bool SplashWindow::hasNoSplashSwitch(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("/NS"), Qt::CaseSensitive);
}

void SplashWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    onDoubleClicked();
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape leaves the About box for those without a mouse; the splash
    // stays until start-up ends.
    if (event->key() == Qt::Key_Escape && m_aboutMode == 0) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SplashWindow::onDoubleClicked()
{
    if (m_aboutMode > 0)
        accept();
}

} // namespace bw
