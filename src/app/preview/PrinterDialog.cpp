#include "app/preview/PrinterDialog.h"

#include "app/widgets/UiScale.h"
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

PrinterDialog::PrinterDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("printerDialog"));
    setWindowTitle(QStringLiteral("Select the printer"));
    const UiScale scale(fontMetrics());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(scale.x(8), scale.y(8), scale.x(8), scale.y(4));
    layout->setSpacing(scale.y(6));

    auto* printerRow = new QHBoxLayout;
    auto* printerLabel = new QLabel(QStringLiteral("&Printer"));
    m_printerBox = new QComboBox;
    m_printerBox->setObjectName(QStringLiteral("cbPrinters"));
    m_printerBox->setEditable(false);
    m_printerBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printerLabel->setBuddy(m_printerBox);
    printerRow->addWidget(printerLabel);
    printerRow->addWidget(m_printerBox, 1);
    layout->addLayout(printerRow);

    auto* groups = new QHBoxLayout;
    auto* range = new QGroupBox(QStringLiteral("Print Range"));
    range->setObjectName(QStringLiteral("GroupBox1"));
    auto* rangeGrid = new QGridLayout(range);
    m_allPagesButton = new QRadioButton(QStringLiteral("&All pages"));
    m_allPagesButton->setObjectName(QStringLiteral("AllPagesRb"));
    m_allPagesButton->setChecked(true);
    m_rangeButton = new QRadioButton(QStringLiteral("Pages"));
    m_rangeButton->setObjectName(QStringLiteral("RangeRb"));
    auto* fromLabel = new QLabel(QStringLiteral("&from:"));
    auto* toLabel = new QLabel(QStringLiteral("&to:"));
    m_fromBox = new QLineEdit;
    m_fromBox->setObjectName(QStringLiteral("FromEdt"));
    m_toBox = new QLineEdit;
    m_toBox->setObjectName(QStringLiteral("ToEdt"));
    // Room for five digits whatever the font.
    const int boxWidth = std::max(scale.x(40), m_fromBox->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + scale.x(8));
    for (QLineEdit* box : {m_fromBox, m_toBox}) {
        box->setFixedWidth(boxWidth);
        box->setEnabled(false);
    }
    fromLabel->setBuddy(m_fromBox);
    toLabel->setBuddy(m_toBox);
    rangeGrid->addWidget(m_allPagesButton, 0, 0, 1, 5);
    rangeGrid->addWidget(m_rangeButton, 1, 0);
    rangeGrid->addWidget(fromLabel, 1, 1);
    rangeGrid->addWidget(m_fromBox, 1, 2);
    rangeGrid->addWidget(toLabel, 1, 3);
    rangeGrid->addWidget(m_toBox, 1, 4);
    rangeGrid->setColumnStretch(5, 1);
    groups->addWidget(range, 3);

    auto* copies = new QGroupBox(QStringLiteral("Copies"));
    copies->setObjectName(QStringLiteral("GroupBox2"));
    auto* copiesGrid = new QGridLayout(copies);
    auto* copiesLabel = new QLabel(QStringLiteral("Number of &copies:"));
    m_copiesBox = new QSpinBox;
    m_copiesBox->setObjectName(QStringLiteral("CopiesSe"));
    m_copiesBox->setRange(1, 99);
    m_copiesBox->setValue(1);
    copiesLabel->setBuddy(m_copiesBox);
    copiesGrid->addWidget(copiesLabel, 0, 0);
    copiesGrid->addWidget(m_copiesBox, 0, 1);
    copiesGrid->setRowStretch(1, 1);
    groups->addWidget(copies, 2);
    layout->addLayout(groups);

    auto* buttons = new QHBoxLayout;
    m_defaultButton = new QPushButton(QStringLiteral("&Default"));
    m_defaultButton->setObjectName(QStringLiteral("BitBtn3"));
    m_defaultButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("OK"));
    m_okButton->setObjectName(QStringLiteral("BitBtn1"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    m_cancelButton->setObjectName(QStringLiteral("BitBtn2"));
    m_cancelButton->setAutoDefault(false);
    for (QPushButton* b : {m_defaultButton, m_okButton, m_cancelButton})
        b->setMinimumWidth(std::max(scale.x(75), b->sizeHint().width()));
    buttons->addWidget(m_defaultButton);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    m_bevel = new QFrame;
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* bevelLayout = new QHBoxLayout(m_bevel);
    bevelLayout->setContentsMargins(scale.x(4), scale.y(2), scale.x(4), scale.y(2));
    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("StatusLbl"));
    bevelLayout->addWidget(m_statusLabel);
    layout->addWidget(m_bevel);

    connect(m_printerBox, &QComboBox::activated, this, &PrinterDialog::onPrinterChanged);
    connect(m_defaultButton, &QPushButton::clicked, this, &PrinterDialog::onDefaultClicked);
    connect(m_allPagesButton, &QRadioButton::toggled, this, &PrinterDialog::onAllPagesClicked);
    connect(m_rangeButton, &QRadioButton::toggled, this, &PrinterDialog::onAllPagesClicked);
    connect(m_fromBox, &QLineEdit::textChanged, this, [this] { onPageBoxEdited(m_fromBox); });
    connect(m_toBox, &QLineEdit::textChanged, this, [this] { onPageBoxEdited(m_toBox); });
    connect(m_okButton, &QPushButton::clicked, this, &PrinterDialog::onOkClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The designed size, grown with the font, and never less than the
    // controls need; centred on the screen.
    setFixedSize(sizeHint().expandedTo(QSize(scale.x(414), scale.y(203))));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// FormDestroy: the printer list goes with the window.
PrinterDialog::~PrinterDialog() = default;

int PrinterDialog::selectedPrinterIndex() const
{
    return m_printerBox->currentIndex();
}

void PrinterDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        fillFromJob();
}

void PrinterDialog::fillFromJob()
{
    m_statusLabel->setText(pleaseWait);
    m_printers = std::make_unique<SystemPrinterList>();
    if (m_copies < 1)
        m_copies = 1;
    m_copiesBox->setValue(m_copies);
    m_printerBox->clear();
    m_printerBox->addItems(m_printers->names());
    m_printers->setPrinterIndex(m_initialPrinterIndex);
    // An index outside the list (-1 above all) is the default printer.
    m_printerBox->setCurrentIndex(m_printers->printerIndex());
    const int pages = m_job ? m_job->pageCount() : 0;
    m_allPagesButton->setText(QStringLiteral("All %1 pages").arg(pages));
    m_fromBox->setText(QStringLiteral("1"));
    m_toBox->setText(QString::number(pages));
    if (m_printers->isEmpty()) {
        m_statusLabel->setText(QStringLiteral("No printer is installed"));
        m_printerBox->setEnabled(false);
        m_defaultButton->setEnabled(false);
        updateOk();
        return;
    }
    updateOk();
    // The window shows "Please wait..." while the printer is asked.
    QTimer::singleShot(0, this, &PrinterDialog::onPrinterChanged);
}

void PrinterDialog::onPrinterChanged()
{
    const int selected = m_printerBox->currentIndex();
    if (!m_job || selected < 0)
        return;
    if (m_printers)
        m_printers->setPrinterIndex(selected);
    const int savedIndex = m_job->printerIndex();
    const int savedCopies = m_job->copies();
    m_job->setPrinterIndex(selected);
    m_job->setCopies(2);
    m_statusLabel->setText(m_job->copies() >= 2 ? QStringLiteral("Printer supports multiple copies")
                                          : QStringLiteral("Printer does not supports multiple copies"));
    // The printer first, so that the copies are asked of the job's own.
    m_job->setPrinterIndex(savedIndex);
    m_job->setCopies(savedCopies);
}

void PrinterDialog::onDefaultClicked()
{
    if (!m_printers || m_printers->isEmpty())
        return;
    m_printers->setToDefault();
    m_printerBox->setCurrentIndex(m_printers->printerIndex());
    onPrinterChanged();
}

void PrinterDialog::onAllPagesClicked()
{
    m_fromBox->setEnabled(m_rangeButton->isChecked());
    m_toBox->setEnabled(m_fromBox->isEnabled());
    updateOk();
}

void PrinterDialog::onPageBoxEdited(QLineEdit* box)
{
    if (!digitsOnly(box->text()))
        box->clear();
    updateOk();
}

void PrinterDialog::updateOk()
{
    const bool printer = m_printers && !m_printers->isEmpty();
    const bool range = m_allPagesButton->isChecked() || (!m_fromBox->text().isEmpty() && !m_toBox->text().isEmpty());
    m_okButton->setEnabled(printer && range);
}

void PrinterDialog::onOkClicked()
{
    m_fromPage = 0;
    m_toPage = 0;
    m_copies = m_copiesBox->value();
    if (m_rangeButton->isChecked()) {
        m_fromPage = pageNumber(m_fromBox->text());
        m_toPage = pageNumber(m_toBox->text());
    }
    accept();
}

} // namespace bw
