#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QShowEvent;
class QStackedWidget;
class TitleBar;
class kwdReleaseHouse;
class kwdReleaseLoad;
class qvmScrollArea;

// The system menu with its own page stack: the menu, the About page and the publication pages.
// Owns its pages; borrows the page's title bar and scroll area to set titles and scroll to the top.
class qvmSystem : public QWidget
{
    Q_OBJECT
public:
    qvmSystem(TitleBar* bar, qvmScrollArea* scroll, QWidget* parent = nullptr);

    TitleBar* bar = nullptr;
    qvmScrollArea* scroll = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    QWidget* page = nullptr;
    QWidget* page_2 = nullptr;
    // The publication pages: the login page and the listing form, null until first used.
    kwdReleaseLoad* loginPage = nullptr;
    kwdReleaseHouse* releaseForm = nullptr;
    QPushButton* btnBonus = nullptr;
    QPushButton* btnCheckUpdate = nullptr;
    QPushButton* btnAbout = nullptr;
    QPushButton* btnrelease = nullptr;
    QPushButton* logout = nullptr;
    QPushButton* btnExit = nullptr;
    QLabel* lblURL = nullptr;

public Q_SLOTS:
    void onBtnCheckBonus();
    void onBtnCheckUpdate();
    void onBtnAbout();
    void onGoBack();
    void onRelease();
    void onLogout();
    void onBtnExit();
    void onLinkActive(QString url);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void buildAbout();
    void showPage(QWidget* which, const QString& title);
};
