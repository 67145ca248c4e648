#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;

namespace bw {

class TVersInfo;

// The borderless window that serves as the splash at start-up and as the
// About box: the program's picture, the company, title, version and
// copyright from the program's own version block. Every creation records the
// user's name in CurrentUserName.
class TSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int clientWidth = 400;
    static constexpr int clientHeight = 223;

    explicit TSplash(QWidget* parent = nullptr);
    ~TSplash() override;

    // 0 for the splash, 1 for the About box.
    int AboutMode() const { return m_aboutMode; }
    // Whether the command line said "/NS": the splash is made but not shown.
    bool hiddenAtStartUp() const { return m_hiddenAtStartUp; }

    // Start-up: shown and painted at once, before any event loop runs.
    void showSplash();
    // Help > About: becomeAbout(), then shown modally until a double click
    // closes it.
    void openAbout();
    // "Double Click to Exit", and a double click closes the window.
    void becomeAbout();

    // The user's account name, or "<UNKNOWN>".
    static QString wlGetUserName();
    // Whether one of the arguments (the program path not among them) is
    // exactly "/NS".
    static bool hasNoSplashSwitch(const QStringList& arguments);

    QLabel* image() const { return Image1; }
    QLabel* label(int number) const;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormDblClick();
    void place();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TVersInfo* VersInfo1 = nullptr;
    int m_aboutMode = 0;
    bool m_hiddenAtStartUp = false;
};

} // namespace bw
