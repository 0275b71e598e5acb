#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The main window's Help menu: the read-me beside the program, the home page
// and the About box.
class Help final : public QObject
{
    Q_OBJECT

public:
    static constexpr char kHomePage[] = "https://quillet.example.org/";
    static constexpr char kReadmeName[] = "Readme.txt";

    explicit Help(QWidget *owner);

    QMenu *const menu; // "&Help"
    QAction *const mnuContents;
    QAction *const mnuWeb;
    QAction *const mnuExit; // a separator, despite its name
    QAction *const mnuAbout;

    static QString readmePath();

public slots:
    void mnuContents_Click();
    void mnuWeb_Click();
    void mnuAbout_Click();

private:
    QWidget *const m_owner;
};
