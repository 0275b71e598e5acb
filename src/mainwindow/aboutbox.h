#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box. One box is shared by every About command; asking again
// while it is open leaves it as it is.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    // Opens the box, modeless, over the owner unless it is already open.
    static void Load(QWidget *owner);
    // The open box, or nullptr.
    static frmAbout *instance();

    QLabel *const lblTitle;
    QLabel *const lblVersion;
    QLabel *const lblDescription;
    QLabel *const Label1;
    QPushButton *const cmdOK;

public slots:
    void cmdOK_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    explicit frmAbout(QWidget *owner);
    void Form_Load();
};
