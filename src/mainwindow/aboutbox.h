#pragma once

#include <QDialog>

// The About box. One box is shared by every About command; asking again
// while it is open leaves it as it is.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    // Opens the box, modeless, over the owner unless it is already open.
    static void open(QWidget *owner);
    // The open box, or nullptr.
    static AboutBox *instance();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    explicit AboutBox(QWidget *owner);
};
