#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;

namespace bw {

class VersionInfo;

// The borderless window that serves as the splash at start-up and as the
// About box: the program's picture, the company, title, version and
// copyright from the program's own version block.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int clientWidth = 400;
    static constexpr int clientHeight = 223;

    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;

    // 0 for the splash, 1 for the About box.
    int aboutMode() const { return m_aboutMode; }
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
    static QString userName();
    // Whether one of the arguments (the program path not among them) is
    // exactly "/NS".
    static bool hasNoSplashSwitch(const QStringList& arguments);

    QLabel* picture() const { return m_picture; }
    QLabel* companyLabel() const { return m_companyLabel; }
    QLabel* titleLabel() const { return m_titleLabel; }
    QLabel* versionLabel() const { return m_versionLabel; }
    QLabel* copyrightLabel() const { return m_copyrightLabel; }
    // "Double Click to Exit" in the About box, empty in the splash.
    QLabel* hintLabel() const { return m_hintLabel; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createWidgets();
    void onDoubleClicked();
    void place();

    QLabel* m_picture = nullptr;
    QLabel* m_copyrightLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_companyLabel = nullptr;
    QLabel* m_hintLabel = nullptr;
    VersionInfo* m_versionInfo = nullptr;
    int m_aboutMode = 0;
    bool m_hiddenAtStartUp = false;
};

} // namespace bw
