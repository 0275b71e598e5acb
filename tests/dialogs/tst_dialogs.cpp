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

namespace {

const QString kMessage = QLatin1String(Form2::kMessageTag);
const QString kResponse = QLatin1String(Form2::kResponseTag);

QString repeated(char c, int n) { return QString(n, QLatin1Char(c)); }

// Key by key, as a keyboard would, any character; "\b" is a backspace.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (c == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestDialogs final : public QObject
{
    Q_OBJECT

    LocalLan *m_lan = nullptr;
    Station *m_station = nullptr;

    Form2 *openMessage(const QString &tag, const QString &destUser = QStringLiteral("bob"))
    {
        auto *window = new Form2(*m_station);
        window->DestUser = destUser;
        window->Tag = tag;
        window->Form_Load();
        return window;
    }

    Form5 *openProposal(qint16 game, const QString &proposer)
    {
        auto *window = new Form5(*m_station);
        window->DestUser = proposer;
        window->SourceUser = m_station->sUserName;
        window->Game = game;
        window->Form_Load();
        return window;
    }

    QStringList sent() const
    {
        QStringList texts;
        for (const QByteArray &datagram : m_lan->sent())
            texts << wire::decode(datagram).value_or(QStringLiteral("<not text>"));
        return texts;
    }

private slots:
    void init()
    {
        m_lan = new LocalLan;
        m_station = new Station(*m_lan->attach());
        m_station->sUserName = QStringLiteral("alice");
        // Opponents of earlier games, which an accepted proposal replaces.
        m_station->st2OUserName = QStringLiteral("carol");
        m_station->st2P4UserName = QStringLiteral("dave");
    }

    void cleanup()
    {
        qDeleteAll(QApplication::topLevelWidgets());
        delete m_station;
        delete m_lan;
    }

    void sendsText_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("datagram"); // empty: no live button

        QTest::newRow("new message, one space") << kMessage << " " << "6§bob§alice§ ";
        QTest::newRow("emptied again") << kMessage << "hi\b\b" << "";
        QTest::newRow("reply, line breaks go as CR LF")
            << kResponse << "déjà\nvu\n" << "6§bob§alice§déjà\r\nvu\r\n";
        QTest::newRow("longest text goes whole")
            << kMessage << repeated('w', 400) << "6§bob§alice§" + repeated('w', 400);
    }

    // Exactly one send button can be live, chosen by the tag; a send closes the window.
    void sendsText()
    {
        QFETCH(QString, tag);
        QFETCH(QString, typed);
        QFETCH(QString, datagram);
        QPointer<Form2> window = openMessage(tag);

        type(window->Text1, typed);

        QPushButton *live = tag == kMessage ? window->Command1 : window->Command2;
        QPushButton *dead = tag == kMessage ? window->Command2 : window->Command1;
        QVERIFY(!dead->isEnabled());
        QCOMPARE(live->isEnabled(), !datagram.isEmpty());
        if (datagram.isEmpty())
            return;
        live->click();
        QCOMPARE(sent(), QStringList{datagram});
        QTRY_VERIFY(!window);
    }

    void refusesSeparator()
    {
        const QString text = "one\nhello" + QString(wire::kSeparator);
        QPointer<Form2> window = openMessage(kMessage);
        window->Text1->setPlainText(text);

        window->Command1->click();

        QPointer<QMessageBox> box = window->findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("The charachter \u00a7 is not allowed!"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Warning!"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!box);
        QVERIFY(sent().isEmpty());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->Text1->toPlainText(), text);
    }

    void limitsLength_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("from"); // selection, or the cursor when from == to
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");

        const QString x400 = repeated('x', 400);
        QTest::newRow("typing stops at 400")
            << QString() << 0 << 0 << false << repeated('a', 410) << repeated('a', 400);
        QTest::newRow("typing into a full box") << x400 << 200 << 200 << false << "y\n" << x400;
        QTest::newRow("paste keeps what fits at the cursor")
            << repeated('x', 390) << 5 << 5 << true << "0123456789ABCDEF"
            << repeated('x', 5) + "0123456789" + repeated('x', 385);
        QTest::newRow("paste over a selection") << x400 << 10 << 20 << true << "0123456789AB"
                                                << repeated('x', 10) + "0123456789" + repeated('x', 380);
        QTest::newRow("pasted CR LF counts as one character")
            << repeated('x', 396) << 396 << 396 << true << "a\r\nb\r\nc" << repeated('x', 396) + "a\nb\n";
    }

    void limitsLength()
    {
        QFETCH(QString, before);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QPlainTextEdit *text = openMessage(kMessage)->Text1;
        text->setPlainText(before);
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);

        if (paste) {
            QApplication::clipboard()->setText(input);
            QTest::keySequence(text, QKeySequence::Paste);
        } else {
            type(text, input);
        }

        QTEST(text->toPlainText(), "after");
    }

    void proposesAndStaysOpen()
    {
        Form2 *window = openMessage(kResponse);
        type(window->Text1, QStringLiteral("draft"));

        window->Command3->click();
        window->Command4->click();
        window->Command3->click();

        QCOMPARE(sent(), (QStringList{"8§bob§alice§", "9§bob§alice§", "8§bob§alice§"}));
        QVERIFY(window->isVisible());
        QCOMPARE(window->Text1->toPlainText(), QStringLiteral("draft"));
    }

    void sendsNothingWithoutCorrespondent()
    {
        for (const QString &tag : {kMessage, kResponse}) {
            Form2 *window = openMessage(tag, QString());
            type(window->Text1, QStringLiteral("hello"));
            for (QPushButton *button : {window->Command1, window->Command2, window->Command3, window->Command4})
                button->click();
        }
        QVERIFY(sent().isEmpty());
    }

    void closesWhenStationGoes()
    {
        QPointer<Form2> message = openMessage(kResponse);
        QPointer<Form5> proposal = openProposal(1, QStringLiteral("bob"));

        delete std::exchange(m_station, nullptr);

        QTRY_VERIFY(!message && !proposal);
    }

    void accept_data()
    {
        QTest::addColumn<qint16>("game");
        QTest::addColumn<QString>("proposer");
        QTest::addColumn<bool>("othelloOpen");
        QTest::addColumn<bool>("puissance4Open");
        QTest::addColumn<QStringList>("datagrams"); // none: refused, the window stays

        const qint16 othello = 1;
        const qint16 puissance4 = 2;
        const QStringList yesOthello{"4§bob§alice§"};
        const QStringList yesPuissance4{"5§bob§alice§"};
        const QStringList refused;
        QTest::newRow("Othello") << othello << "bob" << false << false << yesOthello;
        QTest::newRow("Othello beside Puissance 4") << othello << "bob" << false << true << yesOthello;
        QTest::newRow("Othello while Othello is open") << othello << "bob" << true << false << refused;
        QTest::newRow("Puissance 4") << puissance4 << "bob" << false << false << yesPuissance4;
        QTest::newRow("Puissance 4 beside Othello") << puissance4 << "bob" << true << false << yesPuissance4;
        QTest::newRow("Puissance 4 while Puissance 4 is open") << puissance4 << "bob" << false << true << refused;
        QTest::newRow("unknown game") << qint16(0) << "bob" << false << false << refused;
        QTest::newRow("no proposer") << othello << "" << false << false << refused;
    }

    void accept()
    {
        QFETCH(qint16, game);
        QFETCH(QString, proposer);
        QFETCH(bool, othelloOpen);
        QFETCH(bool, puissance4Open);
        QFETCH(QStringList, datagrams);
        m_station->bForm3Loaded = othelloOpen;
        m_station->bForm4Loaded = puissance4Open;
        Form5 *window = openProposal(game, proposer);
        // The game window loads before it learns its opponent, and before the answer leaves.
        QStringList atLoad;
        const auto record = [&] {
            atLoad << m_station->st2OUserName << m_station->st2P4UserName
                   << QString::number(m_station->bForm3Loaded + m_station->bForm4Loaded + m_lan->sent().size());
        };
        connect(m_station, &Station::form3LoadRequested, this, record);
        connect(m_station, &Station::form4LoadRequested, this, record);
        QSignalSpy loads3(m_station, &Station::form3LoadRequested);

        window->Command1->click();

        QCOMPARE(sent(), datagrams);
        const bool playsOthello = !datagrams.isEmpty() && game == 1;
        const bool playsPuissance4 = !datagrams.isEmpty() && game == 2;
        QCOMPARE(loads3.count(), int(playsOthello));
        const QStringList seenAtLoad{"carol", "dave", QString::number(othelloOpen + puissance4Open)};
        QCOMPARE(atLoad, datagrams.isEmpty() ? QStringList() : seenAtLoad);
        QCOMPARE(m_station->st2OUserName, playsOthello ? "bob" : "carol");
        QCOMPARE(m_station->st2P4UserName, playsPuissance4 ? "bob" : "dave");
        QCOMPARE(m_station->bForm3Loaded, othelloOpen || playsOthello);
        QCOMPARE(m_station->bForm4Loaded, puissance4Open || playsPuissance4);
        QCOMPARE(window->isVisible(), datagrams.isEmpty());
    }

    void decline()
    {
        QPointer<Form5> othello = openProposal(1, QStringLiteral("bob"));
        QPointer<Form5> puissance4 = openProposal(2, QStringLiteral("bob"));
        QPointer<Form5> anonymous = openProposal(1, QString());
        QCOMPARE(othello->Text1->text(), QStringLiteral("bob would like to play an Othello game with you..."));
        QCOMPARE(puissance4->Text1->text(), QStringLiteral("bob would like to play a Puissance 4 game with you..."));

        for (Form5 *window : {othello.data(), puissance4.data(), anonymous.data()})
            window->Command2->click();

        QCOMPARE(sent(), (QStringList{"11§bob§alice§", "11§bob§alice§"}));
        QVERIFY(!m_station->bForm3Loaded && !m_station->bForm4Loaded);
        QTRY_VERIFY(!othello && !puissance4 && !anonymous);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
