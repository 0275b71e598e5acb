#include "wire/messages.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace wire;

// Writes "§" as the byte 0xA7 so expected datagrams read like the wire format.
static QByteArray bytes(const char *text) { return QByteArray(text).replace("\xC2\xA7", "\xA7"); }
static const QByteArray c64 = bytes("0§").repeated(64), c63 = bytes("0§").repeated(63), c49 = bytes("0§").repeated(49);

class TestWire final : public QObject
{
    Q_OBJECT
private slots:
    void builders_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("expected");
        const QString line = chatLine(u"alice"_s, u"14:03:27"_s, u"hello"_s);
        QTest::newRow("1 WorkLine") << workLine(line) << bytes("1§[alice,14:03:27]> hello");
        QTest::newRow("2 TeaLine") << teaLine(line) << bytes("2§[alice,14:03:27]> hello");
        QTest::newRow("3 Presence") << presence(u"bob"_s) << bytes("3§bob§");
        QTest::newRow("4 OthelloAccept") << othelloAccept(u"ann"_s, u"bob"_s) << bytes("4§ann§bob§");
        QTest::newRow("5 Puissance4Accept") << puissance4Accept(u"ann"_s, u"bob"_s) << bytes("5§ann§bob§");
        QTest::newRow("6 PrivateMessage") << privateMessage(u"bob"_s, u"ann"_s, u"hi\r\nyou"_s) << bytes("6§bob§ann§hi\r\nyou");
        QTest::newRow("7 Departure") << departure(u"bob"_s) << bytes("7§bob");
        QTest::newRow("8 OthelloProposal") << othelloProposal(u"bob"_s, u"ann"_s) << bytes("8§bob§ann§");
        QTest::newRow("9 Puissance4Proposal") << puissance4Proposal(u"bob"_s, u"ann"_s) << bytes("9§bob§ann§");
        QTest::newRow("10 Availability") << availability(u"bob"_s, 1) << bytes("10§bob§1§");
        QTest::newRow("11 ProposalDeclined") << proposalDeclined(u"ann"_s, u"bob"_s) << bytes("11§ann§bob§");
        QTest::newRow("12 Puissance4Board") << puissance4Board({u"bob"_s, {}, 2, 1, u"Red to Play!"_s})
                                            << bytes("12§bob§") + c49 + bytes("2§1§Red to Play!§");
        QTest::newRow("13 OthelloBoard") << othelloBoard({u"bob"_s, {}, 1, 4}) << bytes("13§bob§") + c64 + bytes("1§4§");
    }

    void builders()
    {
        QFETCH(QString, message);
        QTEST(encode(message), "expected");
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("latin-1 letters") << QString::fromUtf8("été ÿ§") << QByteArray("\xE9t\xE9 \xFF\xA7");
        QTest::newRow("0x80..0x9F") << QString::fromUtf8("€“…ŠŸ") << QByteArray("\x80\x93\x85\x8A\x9F");
        QTest::newRow("outside the code page") << QString::fromUtf8("Ωx") << QByteArray("?x");
        QTest::newRow("one ? per character") << QString::fromUtf8("a😀b") << QByteArray("a?b");
    }

    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(encode(text), expected);
        if (!expected.contains('?'))
            QCOMPARE(decode(expected), std::optional<QString>(text));
    }

    void codesAndNumbers()
    {
        for (int code = 1; code <= 13; ++code)
            QCOMPARE(codeOf(QString::number(code)), std::optional<Code>(Code(code)));
        for (const char *notACode : {"01", " 1", "1 ", "0", "14", "+3", "", "x"})
            QVERIFY2(!codeOf(QLatin1String(notACode)), notACode);
        QVERIFY(!codeOf(QString(QChar(0x0663)))); // a digit, but not an ASCII one

        for (const auto &[text, value] : {std::pair{"0", 0}, {"-5", -5}, {"32767", 32767}, {"-32768", -32768}})
            QCOMPARE(toNumber(QLatin1String(text)), std::optional<qint16>(value));
        for (const char *notANumber : {"32768", "-32769", "99999999999", "", "-", "+1", " 1", "1.5", "0x1"})
            QVERIFY2(!toNumber(QLatin1String(notANumber)), notANumber);
    }

    void readRefuses_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::newRow("unknown code") << bytes("14§x");
        QTest::newRow("code alone") << QByteArray("3");
        QTest::newRow("undefined byte") << QByteArray("3\xA7\x81\xA7");
        QTest::newRow("accept without acceptor") << bytes("4§ann");
        QTest::newRow("private message without text") << bytes("6§bob§ann");
        QTest::newRow("availability missing") << bytes("10§bob");
        QTest::newRow("availability not a number") << bytes("10§bob§x§");
        QTest::newRow("availability 2") << bytes("10§bob§2§");
        QTest::newRow("othello board short") << bytes("13§bob§") + c63 + bytes("1§5§");
        QTest::newRow("othello cell 3") << bytes("13§bob§3§") + c63 + bytes("1§5§");
        QTest::newRow("othello cell empty") << bytes("13§bob§§") + c63 + bytes("1§5§");
        QTest::newRow("othello turn 3") << bytes("13§bob§") + c64 + bytes("3§5§");
        QTest::newRow("puissance without status") << bytes("12§bob§") + c49 + bytes("1§0");
        QTest::newRow("puissance colour 3") << bytes("12§bob§") + c49 + bytes("3§1§x§");
        QTest::newRow("puissance discs 50") << bytes("12§bob§") + c49 + bytes("1§50§x§");
        QTest::newRow("puissance cell -1") << bytes("12§bob§-1§") + c49.mid(2) + bytes("1§1§x§");
    }

    void readRefuses()
    {
        QFETCH(QByteArray, datagram);
        QVERIFY(!read(datagram));
    }

    void readBoards()
    {
        OthelloBoard sentOthello{u"bob"_s, {}, 2, 17};
        for (std::size_t k = 0; k < sentOthello.cells.size(); ++k)
            sentOthello.cells[k] = qint16(k % 3);
        const auto othello = read(encode(othelloBoard(sentOthello)));
        QVERIFY(othello);
        const auto &o = othello->othello;
        QCOMPARE(o.opponent + othello->destination, u"bobbob"_s);
        QVERIFY(o.cells == sentOthello.cells);
        QCOMPARE((QList<qint16>{o.turnColor, o.numDiscs}), (QList<qint16>{2, 17}));
        Puissance4Board sentP4{u"ann"_s, {}, 1, 49, u"Draw!"_s};
        sentP4.cells.fill(2);
        const auto p4 = read(encode(puissance4Board(sentP4)));
        QVERIFY(p4);
        const auto &p = p4->puissance4;
        QVERIFY(p.cells == sentP4.cells);
        QCOMPARE((QList<qint16>{p.color, p.numDiscs}), (QList<qint16>{1, 49}));
        QCOMPARE(p.opponent + p.status, u"annDraw!"_s);
        // A chat line from foreign software with a separator in it is cut there.
        QCOMPARE(read(bytes("1§a§b"))->line, u"a"_s);
        QCOMPARE(fieldsOf(bytes("1§a§b")), (QStringList{u"a"_s, u"b"_s}));
    }

    void fieldCuts_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("expected");
        const QString huge(65000, u'x');
        const QString name(kMaxNameChars, u'x');
        const QString text(kMaxTextChars, u'x');
        // The longest a real station sends: a 256-character Windows name, and 400
        // typed characters, all line breaks in a private message (CR LF each).
        const QString windowsName(256, u'w');
        const QString longestLine = chatLine(windowsName, u"23:59:59"_s, QString(kMaxTypedText, u't'));
        const QString allBreaks = QStringLiteral("\r\n").repeated(kMaxTypedText);

        QTest::newRow("work line") << workLine(huge) << 1 << text;
        QTest::newRow("longest real chat line, whole") << workLine(longestLine) << 1 << longestLine;
        QTest::newRow("presence") << presence(huge) << 1 << name;
        QTest::newRow("longest real name, whole") << presence(windowsName) << 1 << windowsName;
        QTest::newRow("message text") << privateMessage(u"bob"_s, u"ann"_s, huge) << 3 << text;
        QTest::newRow("message of line breaks, whole") << privateMessage(u"bob"_s, u"ann"_s, allBreaks) << 3 << allBreaks;
        QTest::newRow("message sender") << privateMessage(u"bob"_s, huge, u"hi"_s) << 2 << name;
        QTest::newRow("message destination") << privateMessage(huge, u"ann"_s, u"hi"_s) << 1 << name;
        QTest::newRow("proposer") << othelloProposal(u"bob"_s, huge) << 2 << name;
        QTest::newRow("othello opponent") << othelloBoard({huge, {}, 1, 4}) << 1 << name;
        QTest::newRow("puissance 4 status") << puissance4Board({u"bob"_s, {}, 1, 4, huge}) << 53 << text;
        QTest::newRow("field no code reads") << presence(u"bob"_s) + huge << 2 << text;
    }

    void fieldCuts()
    {
        QFETCH(QString, message);
        QFETCH(int, field);
        QFETCH(QString, expected);
        QVERIFY(read(encode(message)));
        QCOMPARE(fieldsOf(encode(message)).value(field - 1), expected);
    }
};

QTEST_APPLESS_MAIN(TestWire)
#include "test_wire.moc"
