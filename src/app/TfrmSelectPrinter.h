#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace bw {

class PrintJob;
class SystemPrinterList;

// Asks for the printer, the pages and the copies of one print: the caller
// sets Job and InitialPrinterIndex, shows the window modally and, after OK,
// reads the selected printer, Copies, FromPage and ToPage.
class TfrmSelectPrinter : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectPrinter(QWidget* parent = nullptr);
    ~TfrmSelectPrinter() override;

    PrintJob* Job = nullptr;
    int InitialPrinterIndex = -1;
    int Copies = 1;
    // Both 0: all pages.
    int FromPage = 0;
    int ToPage = 0;

    // The entry chosen in cbPrinters, an index into the system's list.
    int selectedPrinterIndex() const;

    QComboBox* cbPrinters = nullptr;
    QRadioButton* AllPagesRb = nullptr;
    QRadioButton* RangeRb = nullptr;
    QLineEdit* FromEdt = nullptr;
    QLineEdit* ToEdt = nullptr;
    QSpinBox* CopiesSe = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QLabel* StatusLbl = nullptr;

    void cbPrintersChange();
    void BitBtn3Click();
    void AllPagesRbClick();
    void FromEdtChange(QLineEdit* box);
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // OK needs a printer, and with "Pages" a number in both boxes.
    void updateOk();

    std::unique_ptr<SystemPrinterList> PrinterList;
    QFrame* m_bevel = nullptr;
};

} // namespace bw
