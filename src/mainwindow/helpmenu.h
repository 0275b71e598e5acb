#pragma once

#include <QObject>

class QMenu;
class QWidget;

// The main window's Help menu: the read-me beside the program, the home page
// and the About box.
class HelpMenu final : public QObject
{
    Q_OBJECT

public:
    static constexpr char kHomePage[] = "https://quillet.example.org/";
    static constexpr char kReadmeName[] = "Readme.txt";

    explicit HelpMenu(QWidget *owner);

    QMenu *menu() const { return m_menu; }

    static QString readmePath();

private:
    void openContents();
    void openHomePage();

    QMenu *const m_menu;
    QWidget *const m_owner;
};
