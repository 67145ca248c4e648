#include "app/TSplash.h"

#include "app/StartUp.h"
#include "base/AccountName.h"
#include "base/CurrentUserName.h"
#include "components/EVersInfoError.h"
#include "components/TVersInfo.h"

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
QPixmap picture(qreal ratio)
{
    QPixmap pixmap(QSize(TSplash::clientWidth, TSplash::clientHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, TSplash::clientWidth, TSplash::clientHeight);
    ground.setColorAt(0, QColor(0xfd, 0xfa, 0xf0));
    ground.setColorAt(1, QColor(0xe6, 0xdc, 0xc0));
    painter.fillRect(QRect(0, 0, TSplash::clientWidth, TSplash::clientHeight), ground);
    painter.fillRect(QRect(0, 178, TSplash::clientWidth, TSplash::clientHeight - 178), QColor(0xd9, 0xcd, 0xab));
    painter.fillRect(QRect(0, 176, TSplash::clientWidth, 2), QColor(0x1b, 0x3f, 0x5c));
    painter.setPen(QPen(QColor(0x1b, 0x3f, 0x5c), 2));
    painter.drawRect(QRectF(1, 1, TSplash::clientWidth - 2, TSplash::clientHeight - 2));
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

TSplash::TSplash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(StartUp::title());
    // The picture and the places of the labels are in pixels, whatever the
    // user's font.
    setFixedSize(clientWidth, clientHeight);
    setFont(msSansSerif());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, clientWidth, clientHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(picture(devicePixelRatioF()));

    Label4 = makeLabel(this, "Label4", timesNewRoman(16, true, true));
    Label2 = makeLabel(this, "Label2", timesNewRoman(16, true, false));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label3 = makeLabel(this, "Label3", timesNewRoman(10, false, false));
    Label1 = makeLabel(this, "Label1", msSansSerif());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label5 = makeLabel(this, "Label5", msSansSerif());
    VersInfo1 = new TVersInfo(this);
    VersInfo1->setIncludeTitles(false);

    FormCreate();

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

TSplash::~TSplash() = default;

void TSplash::FormCreate()
{
    Label2->setText(StartUp::title());
    QString copyright;
    QString fileVersion;
    QString company;
    try {
        VersInfo1->setFileName(QCoreApplication::applicationFilePath());
        copyright = VersInfo1->GetValue(5);
        fileVersion = VersInfo1->GetValue(3);
        company = VersInfo1->GetValue(1);
    } catch (const EVersInfoError& error) {
        // A program file without its version block still starts.
        qWarning("brindlewick: %s", qPrintable(error.message()));
    }
    Label1->setText(copyright);
    Label3->setText(QStringLiteral("Version ") + fileVersion);
    Label4->setText(company);
    setCurrentUserName(wlGetUserName().toUpper());
    Label5->clear();
    m_aboutMode = 0;
    m_hiddenAtStartUp = hasNoSplashSwitch(QCoreApplication::arguments().mid(1));
    place();
}

void TSplash::place()
{
    for (QLabel* label : {Label1, Label3, Label4, Label5})
        label->adjustSize();
    Label4->move(35, 10);
    Label2->setFixedWidth(202);
    Label2->setFixedHeight(Label2->heightForWidth(202));
    Label2->move(25, 105);
    Label3->move(35, 185);
    Label1->move(376 - Label1->width(), 185);
    Label5->move(35, 200);
}

void TSplash::showSplash()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    show();
    raise();
    repaint();
    // The window appears now, not when the event loop starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplash::openAbout()
{
    becomeAbout();
    exec();
}

void TSplash::becomeAbout()
{
    Label5->setText(QStringLiteral("Double Click to Exit"));
    m_aboutMode = 1;
    place();
    setModal(true);
}

QString TSplash::wlGetUserName()
{
    return effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>"));
}

bool TSplash::hasNoSplashSwitch(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("/NS"), Qt::CaseSensitive);
}

QLabel* TSplash::label(int number) const
{
    switch (number) {
    case 1:
        return Label1;
    case 2:
        return Label2;
    case 3:
        return Label3;
    case 4:
        return Label4;
    case 5:
        return Label5;
    default:
        return nullptr;
    }
}

void TSplash::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    FormDblClick();
}

void TSplash::keyPressEvent(QKeyEvent* event)
{
    // Escape leaves the About box for those without a mouse; the splash
    // stays until start-up ends.
    if (event->key() == Qt::Key_Escape && m_aboutMode == 0) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSplash::FormDblClick()
{
    if (m_aboutMode > 0)
        accept();
}

} // namespace bw
