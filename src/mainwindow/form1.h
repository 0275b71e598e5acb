#pragma once

#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "station.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

class DatagramLink;
class EditMenu;
class Help;
class SystemTray;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

// The main window is the station: it owns the state every window shares, the
// periodic broadcast, the dispatcher for every datagram heard, the rooms and
// the user list.
class Form1 final : public QMainWindow
{
    Q_OBJECT
public:
    // The user list keeps each entry's icon number (1 available, 2 not) under this role.
    static constexpr int kIconRole = Qt::UserRole;

    explicit Form1(DatagramLink &link, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: user name, first announcement, then the window shows itself.
    void Form_Load();

    Station &station() { return m_station; }
    Form3 &form3() { return *m_form3; }
    Form4 &form4() { return *m_form4; }

    // Every datagram heard on the chat port, the station's own included.
    void TCP1_DataArrival(const QByteArray &datagram);

    // The periodic broadcast: presence, availability and every open game's board.
    void Timer1_Timer();

    // Controls, each with a matching objectName so tests and tools find them.
    QTabWidget *SSTab1;
    QPlainTextEdit *Text1; // Work room log
    QPlainTextEdit *Text2; // Tea room log
    QLabel *Label2;
    QListWidget *ListView1;
    QLineEdit *Text3;
    QPushButton *Command2;
    QComboBox *Combo1;
    QStatusBar *StatusBar1;
    QLabel *StatusPanel1;
    QLabel *StatusPanel2;
    QTimer Timer3;
    QTimer Timer4;
    QMenu *mnuPopupList1;
    EditMenu *editMenu;
    Help *helpMenu;
    SystemTray *tray;

    QPointer<Form2> frmMessage;
    QPointer<Form5> frmOthelloProposal;
    QPointer<Form5> frmPuissance4Proposal;

    int iRoom = 0;

    void SSTab1_Click(int index);
    void Text3_Change();
    void Text3_LostFocus();
    void Command2_Click();
    void Combo1_Click(int index);
    void ListView1_DblClick();
    void ListView1_MouseDown(Qt::MouseButton button, const QPoint &position);
    void Timer3_Timer();
    void Timer4_Timer();
    void Form_Resize();
    void mnuExitProgram_Click();
    void mnuClearlog_Click();
    void mnuProposeOthello_Click();
    void mnuProposePuissance4_Click();

signals:
    // The station has said goodbye; the program may end.
    void stationClosed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void appendToLog(QPlainTextEdit *log, const QString &line);
    void refreshUserCount();
    int findUser(const QString &name) const;
    QString selectedUser() const;
    void openForm3();
    void openForm4();
    void openMessage(const QString &sender, const QString &text);
    void openProposal(int game, const QString &proposer);
    void showDeclined(const QString &decliner);
    void Form_QueryUnload();

    Station m_station;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
    int iReady = 0;
    int iPopupX = 0;
    int iPopupY = 0;
    bool m_closed = false;
};
