#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "look/placement.h"
#include "station/station.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

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

    template <typename T>
    static T *child(const QWidget *window, const QString &name)
    {
        T *found = window->findChild<T *>(name);
        return found ? found : (qFatal("no %s", qPrintable(name)), nullptr);
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
        m_station.start(QStringLiteral("alice"));
        m_station.stop(); // no periodic broadcast in the middle of a row
        for (const auto &[game, opponent] : {std::pair(Game::Othello, u"carol"_s), std::pair(Game::Puissance4, u"dave"_s)}) {
            m_station.startGame(game, opponent); // opponents of earlier games, over now
            m_station.endGame(game);
        }
        m_lan.clearSent();
    }

    void cleanup() { QApplication::closeAllWindows(); } // each deletes itself

    void message_data()
    {
        QTest::addColumn<bool>("received"); // else a new message
        QTest::addColumn<QString>("correspondent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("live"); // Send and Respond enabled after typing
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("datagram");

        QTest::newRow("send, CR LF") << false << "bob" << "déjà\nvu\n" << "10" << "Command1" << "6§bob§alice§déjà\r\nvu\r\n";
        QTest::newRow("respond") << true << "bob" << "hi" << "01" << "Command2" << "6§bob§alice§hi";
        QTest::newRow("typing stops at 400") << false << "bob" << xs(410) << "10" << "Command1" << u"6§bob§alice§"_s + xs(400);
        QTest::newRow("no Return when full") << true << "bob" << xs(400) + u"\ny"_s << "01" << "Command2" << u"6§bob§alice§"_s + xs(400);
        QTest::newRow("emptied again") << false << "bob" << "hi\b\b" << "00" << "Command1" << "";
        QTest::newRow("Othello") << true << "bob" << "draft" << "01" << "Command3" << "8§bob§alice§";
        QTest::newRow("Puissance 4") << false << "bob" << "" << "00" << "Command4" << "9§bob§alice§";
        QTest::newRow("send to nobody") << false << "" << "hi" << "10" << "Command1" << "";
        QTest::newRow("§ refused") << false << "bob" << "one\nhi§" << "10" << "Command1" << "";
    }

    // How the window opened makes one send button live; a send closes the
    // window, a proposal or a refusal does not.
    void message()
    {
        QFETCH(bool, received);
        QFETCH(QString, correspondent);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        auto *window = new MessageWindow(m_station);
        const QString shown = QStringLiteral("<b>not bold</b>\r\nline two"); // network text stays plain
        const Provenance provenance{QHostAddress(QStringLiteral("192.0.2.99")), {}};
        const QString from = QStringLiteral("Sent from 192.0.2.99; no station of that name has been heard.");
        if (received)
            window->openReceived(correspondent, shown, QStringLiteral("12:34:56"), provenance);
        else
            window->openToWrite(correspondent);
        const auto *note = child<QLabel>(window, u"noteRow"_s); // where it came from, as plain text
        QCOMPARE(note->isVisible() && note->textFormat() == Qt::PlainText ? note->text() : QString(), received ? from : QString());
        // The time as given; a new message names its recipient.
        QCOMPARE(window->windowTitle(), received                ? u"Message from: "_s + correspondent + u" at 12:34:56"_s
                                        : correspondent.isEmpty() ? u"Message"_s
                                                                  : QString::fromUtf8("Message \u2014 ") + correspondent);
        QCOMPARE(child<QPlainTextEdit>(window, u"Text2"_s)->toPlainText(), received ? u"<b>not bold</b>\nline two"_s : QString());
        QCOMPARE(window->correspondent(), correspondent);

        auto *text = child<QPlainTextEdit>(window, u"Text1"_s);
        type(text, typed);
        QTEST(QStringLiteral("%1%2").arg(child<QPushButton>(window, u"Command1"_s)->isEnabled())
                  .arg(child<QPushButton>(window, u"Command2"_s)->isEnabled()), "live");
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);

        QTEST(sent(), "datagram");
        const auto *box = window->findChild<QMessageBox *>();
        QCOMPARE(box && box->isVisible() ? box->windowTitle() + u' ' + box->text() : QString(),
                 typed.contains(u'§') ? QStringLiteral("Warning! The charachter § is not allowed!") : QString());
        if (box) // the text stays for the user to mend
            QCOMPARE(text->toPlainText(), typed);
        QCOMPARE(window->isVisible(), button > u"Command2"_s || sent().isEmpty());
    }

    void pasteLimit_data()
    {
        QTest::addColumn<QString>("before"); // the cursor at its end
        QTest::addColumn<int>("selected");   // characters selected before the cursor
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");

        QTest::newRow("over a selection") << xs(400) << 10 << "0123456789AB" << xs(390) + u"0123456789"_s;
        QTest::newRow("CR LF is one") << xs(396) << 0 << "a\r\nb\r\nc" << xs(396) + u"a\nb\n"_s;
    }

    void pasteLimit()
    {
        QFETCH(QString, before);
        QFETCH(int, selected);
        QFETCH(QString, pasted);
        MessageWindow window(m_station);
        auto *text = child<QPlainTextEdit>(&window, u"Text1"_s);
        text->setPlainText(before);
        text->moveCursor(QTextCursor::End);
        for (int i = 0; i < selected; ++i)
            text->moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(text, QKeySequence::Paste);
        QTEST(text->toPlainText(), "after");
    }

    void proposal_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QString>("proposer");
        QTest::addColumn<QString>("open");   // game windows already open
        QTest::addColumn<QString>("button"); // Command1 accepts, Command2 declines; or "close", "Escape"
        QTest::addColumn<QString>("datagram");
        QTest::addColumn<QString>("loads"); // game started, with both opponents and datagrams sent at that moment
        QTest::addColumn<QString>("after"); // both opponents, whether each game is on

        QTest::newRow("Othello") << Game::Othello << "bob" << "P4" << "Command1" << "4§bob§alice§" << "Othello bob dave 0" << "bob dave 11";
        QTest::newRow("Othello while open") << Game::Othello << "bob" << "O" << "Command1" << "" << "" << "carol dave 10";
        QTest::newRow("Othello declined") << Game::Othello << "bob" << "" << "Command2" << "11§bob§alice§" << "" << "carol dave 00";
        QTest::newRow("Puissance 4") << Game::Puissance4 << "bob" << "O" << "Command1" << "5§bob§alice§" << "P4 carol bob 0" << "carol bob 11";
        QTest::newRow("no one to play") << Game::Othello << "" << "" << "Command1" << "" << "" << "carol dave 00";
        // "B": an Othello game with bob is on; his proposal was answered by it.
        QTest::newRow("declined during its game") << Game::Othello << "bob" << "B" << "Command2" << "" << "" << "bob dave 10";
        QTest::newRow("P4 declined during Othello with him") << Game::Puissance4 << "bob" << "B" << "Command2" << "11§bob§alice§" << "" << "bob dave 10";
        // Closed any other way, a proposal is declined as by its button.
        QTest::newRow("closed by the title bar") << Game::Othello << "bob" << "" << "close" << "11§bob§alice§" << "" << "carol dave 00";
        QTest::newRow("closed by Escape") << Game::Puissance4 << "bob" << "" << "Escape" << "11§bob§alice§" << "" << "carol dave 00";
        QTest::newRow("closed during its game") << Game::Othello << "bob" << "B" << "close" << "" << "" << "bob dave 10";
    }

    void proposal()
    {
        QFETCH(Game, game);
        QFETCH(QString, proposer);
        QFETCH(QString, open);
        QFETCH(QString, button);
        for (const auto &[letter, on, opponent] : {std::tuple('O', Game::Othello, u"carol"_s),
                                                    std::tuple('P', Game::Puissance4, u"dave"_s),
                                                    std::tuple('B', Game::Othello, u"bob"_s)})
            if (open.contains(QLatin1Char(letter)))
                m_station.startGame(on, opponent);
        const QHostAddress heard(QStringLiteral("192.0.2.99")), known(QStringLiteral("192.0.2.10"));
        const Provenance provenance = proposer.isEmpty() ? Provenance{} : Provenance{heard, {known, known}};
        const QString from = proposer.isEmpty()
            ? QString()
            : QStringLiteral("Sent from 192.0.2.99; %1's station is heard from 192.0.2.10, 192.0.2.10.").arg(proposer);
        QPointer<ProposalWindow> window = new ProposalWindow(m_station, game, proposer, provenance);
        window->open();
        QCOMPARE(child<QLabel>(window, u"noteRow"_s)->text(), from);
        QCOMPARE(child<QLineEdit>(window, u"Text1"_s)->text(),
                 proposer + u" would like to play "_s + (game == Game::Othello ? u"an Othello"_s : u"a Puissance 4"_s) + u" game with you..."_s);
        QString loads;
        const auto opponents = [&] { return m_station.match(Game::Othello).opponent() + u' ' + m_station.match(Game::Puissance4).opponent(); };
        const auto seen = [&] { return u' ' + opponents() + u' ' + QString::number(m_lan.sent().size()); };
        QObject scope; // the station outlives this row
        connect(&m_station, &Station::gameStarted, &scope,
                [&](Game started) { loads += (started == Game::Othello ? u"Othello"_s : u"P4"_s) + seen(); });

        if (button == u"Escape"_s)
            QTest::keyClick(window, Qt::Key_Escape);
        else if (button == u"close"_s)
            window->close();
        else
            QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
        QTEST(sent(), "datagram");
        QTEST(loads, "loads");
        QTEST(opponents()
                  + QStringLiteral(" %1%2").arg(m_station.match(Game::Othello).isPlaying()).arg(m_station.match(Game::Puissance4).isPlaying()),
              "after");
        // A refused Accept stays open and says why in the window itself.
        const bool refused = button == u"Command1"_s && sent().isEmpty();
        QCOMPARE(window->isVisible(), refused);
        QCOMPARE(window->refusal().contains(QStringLiteral("Finish or leave")), refused && !proposer.isEmpty());
    }

    // Windows the network opens land on the screen whole, each where no other
    // open one stands, the first over its owner; one placed clear of a board
    // leaves it uncovered where the screen has room.
    void placement_data()
    {
        QTest::addColumn<QPoint>("ownerAt"); // the owner's centre
        QTest::addColumn<int>("windows");
        QTest::newRow("one, over its owner") << QPoint(400, 300) << 1;
        QTest::newRow("a few cascade") << QPoint(400, 300) << 5;
        QTest::newRow("owner in a corner") << QPoint(760, 570) << 4;
        QTest::newRow("more than the screen holds in one cascade") << QPoint(400, 300) << 40;
    }

    void placement()
    {
        QFETCH(QPoint, ownerAt);
        QFETCH(int, windows);
        QWidget owner;
        owner.resize(300, 200);
        owner.move(ownerAt - owner.rect().center());
        owner.show();
        // A window's frame may reach past the screen's edge by its border.
        constexpr int kBorder = 8;
        const QRect area = owner.screen()->availableGeometry();
        const QRect onScreen = area.adjusted(-kBorder, -kBorder, kBorder, kBorder);
        const auto where = [](const QWidget &window) {
            const QRect r = window.frameGeometry();
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        std::vector<std::unique_ptr<QWidget>> placed;
        QSet<std::pair<int, int>> spots;
        for (int n = 0; n < windows; ++n) {
            placed.push_back(std::make_unique<QWidget>());
            QWidget &window = *placed.back();
            window.resize(200, 120);
            look::placeNew(window, &owner);
            window.show();
            QVERIFY2(onScreen.contains(window.frameGeometry()), qPrintable(QStringLiteral("window %1 at %2").arg(n).arg(where(window))));
            QVERIFY(!spots.contains({window.x(), window.y()}));
            spots.insert({window.x(), window.y()});
        }
        if (area.contains(owner.frameGeometry()))
            QVERIFY((placed.front()->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= kBorder);

        QWidget board;
        board.resize(200, 250);
        board.move(area.center() - board.rect().center());
        board.show();
        look::placeClearOf(*placed.back(), board);
        QVERIFY(!placed.back()->frameGeometry().intersects(board.frameGeometry()));
        QVERIFY(onScreen.contains(placed.back()->frameGeometry()));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
