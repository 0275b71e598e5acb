#include "form2.h"
#include "form5.h"
#include "locallan.h"
#include "messages.h"
#include "station.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestDialogs final : public QObject
{
    Q_OBJECT

    LocalLan m_lan;
    Station m_station{*m_lan.attach()};

    static QString xs(int n) { return QString(n, u'x'); }

    // Key by key, as a keyboard would; "\n" is Return, "\b" Backspace.
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, c == u'\n' ? Qt::Key_Return : c == u'\b' ? Qt::Key_Backspace : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }

    QString sent() const // joined by "|"
    {
        QStringList texts;
        for (const QByteArray &datagram : m_lan.sent())
            texts << wire::decode(datagram).value_or(QStringLiteral("<not text>"));
        return texts.join(u'|');
    }

private slots:
    void init()
    {
        m_lan.clearSent();
        m_station.sUserName = QStringLiteral("alice");
        m_station.st2OUserName = QStringLiteral("carol"); // opponents of earlier games
        m_station.st2P4UserName = QStringLiteral("dave");
    }

    void cleanup() { QApplication::closeAllWindows(); } // each deletes itself

    void message_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("destUser");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("live"); // Command1 and Command2 enabled after typing
        QTest::addColumn<int>("button");   // Command1..4, clicked
        QTest::addColumn<QString>("datagram");

        QTest::newRow("send, CR LF") << "Message" << "bob" << "déjà\nvu\n" << "10" << 1 << "6§bob§alice§déjà\r\nvu\r\n";
        QTest::newRow("respond") << "Response" << "bob" << "hi" << "01" << 2 << "6§bob§alice§hi";
        QTest::newRow("typing stops at 400") << "Message" << "bob" << xs(410) << "10" << 1 << "6§bob§alice§" + xs(400);
        QTest::newRow("no Return when full") << "Response" << "bob" << xs(400) + "\ny" << "01" << 2 << "6§bob§alice§" + xs(400);
        QTest::newRow("emptied again") << "Message" << "bob" << "hi\b\b" << "00" << 1 << "";
        QTest::newRow("Othello") << "Response" << "bob" << "draft" << "01" << 3 << "8§bob§alice§";
        QTest::newRow("Puissance 4") << "Message" << "bob" << "" << "00" << 4 << "9§bob§alice§";
        QTest::newRow("send to nobody") << "Message" << "" << "hi" << "10" << 1 << "";
        QTest::newRow("propose to nobody") << "Response" << "" << "" << "00" << 3 << "";
        QTest::newRow("§ refused") << "Message" << "bob" << "one\nhi§" << "10" << 1 << "";
    }

    // The tag makes one send button live; a send closes the window, a proposal or a refusal does not.
    void message()
    {
        QFETCH(QString, tag);
        QFETCH(QString, destUser);
        QFETCH(QString, typed);
        QFETCH(int, button);
        auto *window = new Form2(m_station);
        window->DestUser = destUser;
        window->Tag = tag;
        window->Form_Load();

        type(window->Text1, typed);
        QTEST(QStringLiteral("%1%2").arg(window->Command1->isEnabled()).arg(window->Command2->isEnabled()), "live");
        QList<QPushButton *>{window->Command1, window->Command2, window->Command3, window->Command4}[button - 1]->click();

        QTEST(sent(), "datagram");
        const auto *box = window->findChild<QMessageBox *>();
        QCOMPARE(box && box->isVisible() ? box->windowTitle() + ' ' + box->text() : QString(),
                 typed.contains(u'§') ? QStringLiteral("Warning! The charachter § is not allowed!") : QString());
        if (box) // the text stays for the user to mend
            QCOMPARE(window->Text1->toPlainText(), typed);
        QCOMPARE(window->isVisible(), button > 2 || sent().isEmpty());
    }

    void pasteLimit_data()
    {
        QTest::addColumn<QString>("before"); // the cursor at its end
        QTest::addColumn<int>("selected");   // characters selected before the cursor
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");

        QTest::newRow("what fits") << xs(390) << 0 << "0123456789ABCDEF" << xs(390) + "0123456789";
        QTest::newRow("over a selection") << xs(400) << 10 << "0123456789AB" << xs(390) + "0123456789";
        QTest::newRow("CR LF is one") << xs(396) << 0 << "a\r\nb\r\nc" << xs(396) + "a\nb\n";
    }

    void pasteLimit()
    {
        QFETCH(QString, before);
        QFETCH(int, selected);
        QFETCH(QString, pasted);
        Form2 window(m_station);
        window.Text1->setPlainText(before);
        window.Text1->moveCursor(QTextCursor::End);
        for (int i = 0; i < selected; ++i)
            window.Text1->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
        QApplication::clipboard()->setText(pasted);

        QTest::keySequence(window.Text1, QKeySequence::Paste);

        QTEST(window.Text1->toPlainText(), "after");
    }

    void proposal_data()
    {
        QTest::addColumn<qint16>("game");
        QTest::addColumn<QString>("open"); // game windows already open
        QTest::addColumn<int>("button");   // 1 accepts, 2 declines
        QTest::addColumn<QString>("datagram");
        QTest::addColumn<QString>("loads"); // window loaded, with both opponents and datagrams sent at that moment
        QTest::addColumn<QString>("after"); // both opponents, both windows' flags

        QTest::newRow("Othello") << Form5::kOthello << "P4" << 1 << "4§bob§alice§" << "Othello carol dave 0" << "bob dave 11";
        QTest::newRow("Othello while open") << Form5::kOthello << "O" << 1 << "" << "" << "carol dave 10";
        QTest::newRow("Othello declined") << Form5::kOthello << "" << 2 << "11§bob§alice§" << "" << "carol dave 00";
        QTest::newRow("Puissance 4") << Form5::kPuissance4 << "O" << 1 << "5§bob§alice§" << "P4 carol dave 0" << "carol bob 11";
        QTest::newRow("Puissance 4 while open") << Form5::kPuissance4 << "P4" << 1 << "" << "" << "carol dave 01";
        QTest::newRow("Puissance 4 declined") << Form5::kPuissance4 << "" << 2 << "11§bob§alice§" << "" << "carol dave 00";
    }

    void proposal()
    {
        QFETCH(qint16, game);
        QFETCH(QString, open);
        QFETCH(int, button);
        m_station.bForm3Loaded = open.contains(u'O');
        m_station.bForm4Loaded = open.contains(u'P');
        QPointer<Form5> window = new Form5(m_station);
        window->DestUser = QStringLiteral("bob");
        window->SourceUser = m_station.sUserName;
        window->Game = game;
        window->Form_Load();
        const QString name = game == Form5::kOthello ? "an Othello" : "a Puissance 4";
        QCOMPARE(window->Text1->text(), "bob would like to play " + name + " game with you...");
        QString loads;
        const auto opponents = [&] { return m_station.st2OUserName + ' ' + m_station.st2P4UserName; };
        const auto seen = [&] { return ' ' + opponents() + ' ' + QString::number(m_lan.sent().size()); };
        QObject scope; // the station outlives this row
        connect(&m_station, &Station::form3LoadRequested, &scope, [&] { loads += "Othello" + seen(); });
        connect(&m_station, &Station::form4LoadRequested, &scope, [&] { loads += "P4" + seen(); });

        (button == 1 ? window->Command1 : window->Command2)->click();

        QTEST(sent(), "datagram");
        QTEST(loads, "loads");
        QTEST(opponents() + QStringLiteral(" %1%2").arg(m_station.bForm3Loaded).arg(m_station.bForm4Loaded), "after");
        QCOMPARE(window->isVisible(), sent().isEmpty());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
