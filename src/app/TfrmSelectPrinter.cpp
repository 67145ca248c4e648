#include "app/TfrmSelectPrinter.h"

#include "app/UiScale.h"
#include "report_engine/PrintJob.h"
#include "report_engine/SystemPrinterList.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <climits>

namespace bw {

namespace {

const QString pleaseWait = QStringLiteral("Please wait...");

bool digitsOnly(const QString& text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A box holds digits only; a number too large for a page number is the
// largest one, so that "to" still means "to the end".
int pageNumber(const QString& digits)
{
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (ok)
        return n;
    return digits.isEmpty() ? 0 : INT_MAX;
}

} // namespace

TfrmSelectPrinter::TfrmSelectPrinter(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmSelectPrinter"));
    setWindowTitle(QStringLiteral("Select the printer"));
    const UiScale scale(fontMetrics());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(scale.x(8), scale.y(8), scale.x(8), scale.y(4));
    layout->setSpacing(scale.y(6));

    auto* printerRow = new QHBoxLayout;
    auto* printerLabel = new QLabel(QStringLiteral("&Printer"));
    cbPrinters = new QComboBox;
    cbPrinters->setObjectName(QStringLiteral("cbPrinters"));
    cbPrinters->setEditable(false);
    cbPrinters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printerLabel->setBuddy(cbPrinters);
    printerRow->addWidget(printerLabel);
    printerRow->addWidget(cbPrinters, 1);
    layout->addLayout(printerRow);

    auto* groups = new QHBoxLayout;
    auto* range = new QGroupBox(QStringLiteral("Print Range"));
    range->setObjectName(QStringLiteral("GroupBox1"));
    auto* rangeGrid = new QGridLayout(range);
    AllPagesRb = new QRadioButton(QStringLiteral("&All pages"));
    AllPagesRb->setObjectName(QStringLiteral("AllPagesRb"));
    AllPagesRb->setChecked(true);
    RangeRb = new QRadioButton(QStringLiteral("Pages"));
    RangeRb->setObjectName(QStringLiteral("RangeRb"));
    auto* fromLabel = new QLabel(QStringLiteral("&from:"));
    auto* toLabel = new QLabel(QStringLiteral("&to:"));
    FromEdt = new QLineEdit;
    FromEdt->setObjectName(QStringLiteral("FromEdt"));
    ToEdt = new QLineEdit;
    ToEdt->setObjectName(QStringLiteral("ToEdt"));
    // Room for five digits whatever the font.
    const int boxWidth = std::max(scale.x(40), FromEdt->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + scale.x(8));
    for (QLineEdit* box : {FromEdt, ToEdt}) {
        box->setFixedWidth(boxWidth);
        box->setEnabled(false);
    }
    fromLabel->setBuddy(FromEdt);
    toLabel->setBuddy(ToEdt);
    rangeGrid->addWidget(AllPagesRb, 0, 0, 1, 5);
    rangeGrid->addWidget(RangeRb, 1, 0);
    rangeGrid->addWidget(fromLabel, 1, 1);
    rangeGrid->addWidget(FromEdt, 1, 2);
    rangeGrid->addWidget(toLabel, 1, 3);
    rangeGrid->addWidget(ToEdt, 1, 4);
    rangeGrid->setColumnStretch(5, 1);
    groups->addWidget(range, 3);

    auto* copies = new QGroupBox(QStringLiteral("Copies"));
    copies->setObjectName(QStringLiteral("GroupBox2"));
    auto* copiesGrid = new QGridLayout(copies);
    auto* copiesLabel = new QLabel(QStringLiteral("Number of &copies:"));
    CopiesSe = new QSpinBox;
    CopiesSe->setObjectName(QStringLiteral("CopiesSe"));
    CopiesSe->setRange(1, 99);
    CopiesSe->setValue(1);
    copiesLabel->setBuddy(CopiesSe);
    copiesGrid->addWidget(copiesLabel, 0, 0);
    copiesGrid->addWidget(CopiesSe, 0, 1);
    copiesGrid->setRowStretch(1, 1);
    groups->addWidget(copies, 2);
    layout->addLayout(groups);

    auto* buttons = new QHBoxLayout;
    BitBtn3 = new QPushButton(QStringLiteral("&Default"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("OK"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    for (QPushButton* b : {BitBtn3, BitBtn1, BitBtn2})
        b->setMinimumWidth(std::max(scale.x(75), b->sizeHint().width()));
    buttons->addWidget(BitBtn3);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);

    m_bevel = new QFrame;
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* bevelLayout = new QHBoxLayout(m_bevel);
    bevelLayout->setContentsMargins(scale.x(4), scale.y(2), scale.x(4), scale.y(2));
    StatusLbl = new QLabel;
    StatusLbl->setObjectName(QStringLiteral("StatusLbl"));
    bevelLayout->addWidget(StatusLbl);
    layout->addWidget(m_bevel);

    connect(cbPrinters, &QComboBox::activated, this, &TfrmSelectPrinter::cbPrintersChange);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmSelectPrinter::BitBtn3Click);
    connect(AllPagesRb, &QRadioButton::toggled, this, &TfrmSelectPrinter::AllPagesRbClick);
    connect(RangeRb, &QRadioButton::toggled, this, &TfrmSelectPrinter::AllPagesRbClick);
    connect(FromEdt, &QLineEdit::textChanged, this, [this] { FromEdtChange(FromEdt); });
    connect(ToEdt, &QLineEdit::textChanged, this, [this] { FromEdtChange(ToEdt); });
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSelectPrinter::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // The designed size, grown with the font, and never less than the
    // controls need; centred on the screen.
    setFixedSize(sizeHint().expandedTo(QSize(scale.x(414), scale.y(203))));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// FormDestroy: the printer list goes with the window.
TfrmSelectPrinter::~TfrmSelectPrinter() = default;

int TfrmSelectPrinter::selectedPrinterIndex() const
{
    return cbPrinters->currentIndex();
}

void TfrmSelectPrinter::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmSelectPrinter::FormShow()
{
    StatusLbl->setText(pleaseWait);
    PrinterList = std::make_unique<SystemPrinterList>();
    if (Copies < 1)
        Copies = 1;
    CopiesSe->setValue(Copies);
    cbPrinters->clear();
    cbPrinters->addItems(PrinterList->names());
    PrinterList->setPrinterIndex(InitialPrinterIndex);
    // An index outside the list (-1 above all) is the default printer.
    cbPrinters->setCurrentIndex(PrinterList->printerIndex());
    const int pages = Job ? Job->pageCount() : 0;
    AllPagesRb->setText(QStringLiteral("All %1 pages").arg(pages));
    FromEdt->setText(QStringLiteral("1"));
    ToEdt->setText(QString::number(pages));
    if (PrinterList->isEmpty()) {
        StatusLbl->setText(QStringLiteral("No printer is installed"));
        cbPrinters->setEnabled(false);
        BitBtn3->setEnabled(false);
        updateOk();
        return;
    }
    updateOk();
    // The window shows "Please wait..." while the printer is asked.
    QTimer::singleShot(0, this, &TfrmSelectPrinter::cbPrintersChange);
}

void TfrmSelectPrinter::cbPrintersChange()
{
    const int selected = cbPrinters->currentIndex();
    if (!Job || selected < 0)
        return;
    if (PrinterList)
        PrinterList->setPrinterIndex(selected);
    const int savedIndex = Job->printerIndex();
    const int savedCopies = Job->copies();
    Job->setPrinterIndex(selected);
    Job->setCopies(2);
    StatusLbl->setText(Job->copies() >= 2 ? QStringLiteral("Printer supports multiple copies")
                                          : QStringLiteral("Printer does not supports multiple copies"));
    // The printer first, so that the copies are asked of the job's own.
    Job->setPrinterIndex(savedIndex);
    Job->setCopies(savedCopies);
}

void TfrmSelectPrinter::BitBtn3Click()
{
    if (!PrinterList || PrinterList->isEmpty())
        return;
    PrinterList->setToDefault();
    cbPrinters->setCurrentIndex(PrinterList->printerIndex());
    cbPrintersChange();
}

void TfrmSelectPrinter::AllPagesRbClick()
{
    FromEdt->setEnabled(RangeRb->isChecked());
    ToEdt->setEnabled(FromEdt->isEnabled());
    updateOk();
}

void TfrmSelectPrinter::FromEdtChange(QLineEdit* box)
{
    if (!digitsOnly(box->text()))
        box->clear();
    updateOk();
}

void TfrmSelectPrinter::updateOk()
{
    const bool printer = PrinterList && !PrinterList->isEmpty();
    const bool range = AllPagesRb->isChecked() || (!FromEdt->text().isEmpty() && !ToEdt->text().isEmpty());
    BitBtn1->setEnabled(printer && range);
}

void TfrmSelectPrinter::BitBtn1Click()
{
    FromPage = 0;
    ToPage = 0;
    Copies = CopiesSe->value();
    if (RangeRb->isChecked()) {
        FromPage = pageNumber(FromEdt->text());
        ToPage = pageNumber(ToEdt->text());
    }
    accept();
}

} // namespace bw
