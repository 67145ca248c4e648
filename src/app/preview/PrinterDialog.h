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
// sets the job and the initial printer, shows the window modally and, after
// OK, reads the selected printer, the copies and the page range.
class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterDialog(QWidget* parent = nullptr);
    ~PrinterDialog() override;

    void setJob(PrintJob* job) { m_job = job; }
    // An index into the system's printer list; -1, the default printer.
    void setInitialPrinterIndex(int index) { m_initialPrinterIndex = index; }
    // The copies the box starts at; after OK, the copies chosen.
    void setCopies(int copies) { m_copies = copies; }
    int copies() const { return m_copies; }
    // Both 0: all pages.
    int fromPage() const { return m_fromPage; }
    int toPage() const { return m_toPage; }

    // The entry chosen in the printer box, an index into the system's list.
    int selectedPrinterIndex() const;

    QComboBox* printerBox() const { return m_printerBox; }
    QRadioButton* allPagesButton() const { return m_allPagesButton; }
    QRadioButton* rangeButton() const { return m_rangeButton; }
    QLineEdit* fromBox() const { return m_fromBox; }
    QLineEdit* toBox() const { return m_toBox; }
    QSpinBox* copiesBox() const { return m_copiesBox; }
    QPushButton* defaultButton() const { return m_defaultButton; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* statusLabel() const { return m_statusLabel; }

    void onPrinterChanged();
    void onDefaultClicked();
    void onAllPagesClicked();
    void onPageBoxEdited(QLineEdit* box);
    void onOkClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillFromJob();
    // OK needs a printer, and with "Pages" a number in both boxes.
    void updateOk();

    std::unique_ptr<SystemPrinterList> m_printers;
    QFrame* m_bevel = nullptr;
    QComboBox* m_printerBox = nullptr;
    QRadioButton* m_allPagesButton = nullptr;
    QRadioButton* m_rangeButton = nullptr;
    QLineEdit* m_fromBox = nullptr;
    QLineEdit* m_toBox = nullptr;
    QSpinBox* m_copiesBox = nullptr;
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_statusLabel = nullptr;
    PrintJob* m_job = nullptr;
    int m_initialPrinterIndex = -1;
    int m_copies = 1;
    int m_fromPage = 0;
    int m_toPage = 0;
};

} // namespace bw
