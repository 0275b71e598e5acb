#include "messages.h"

#include <QTest>

using namespace wire;

namespace {

// Writes "§" as the byte 0xA7 so expected datagrams read like the wire format.
QByteArray bytes(const char *text)
{
    QByteArray out(text);
    out.replace("\xC2\xA7", "\xA7");
    return out;
}

QString board(int cells, const QString &cell = QStringLiteral("0"))
{
    QString text;
    for (int k = 0; k < cells; ++k)
        text += cell + kSeparator;
    return text;
}

} // namespace

class TestWire final : public QObject
{
    Q_OBJECT
private slots:
    void builders_data();
    void builders();
    void encoding_data();
    void encoding();
    void undefinedBytesDoNotDecode();
    void splitting_data();
    void splitting();
    void codes_data();
    void codes();
    void numbers_data();
    void numbers();
    void readAccepts_data();
    void readAccepts();
    void readRefuses_data();
    void readRefuses();
    void boardsRoundTrip();
};

void TestWire::builders_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("expected");
    const QString line = chatLine("alice", "14:03:27", "hello");
    QTest::newRow("WorkLine") << workLine(line) << bytes("1§[alice,14:03:27]> hello");
    QTest::newRow("TeaLine") << teaLine(line) << bytes("2§[alice,14:03:27]> hello");
    QTest::newRow("Presence") << presence("bob") << bytes("3§bob§");
    QTest::newRow("OthelloAccept") << othelloAccept("ann", "bob") << bytes("4§ann§bob§");
    QTest::newRow("Puissance4Accept") << puissance4Accept("ann", "bob") << bytes("5§ann§bob§");
    QTest::newRow("PrivateMessage") << privateMessage("bob", "ann", "hi\r\nthere")
                                    << bytes("6§bob§ann§hi\r\nthere");
    QTest::newRow("Departure") << departure("bob") << bytes("7§bob");
    QTest::newRow("OthelloProposal") << othelloProposal("bob", "ann") << bytes("8§bob§ann§");
    QTest::newRow("Puissance4Proposal") << puissance4Proposal("bob", "ann") << bytes("9§bob§ann§");
    QTest::newRow("Availability") << availability("bob", 1) << bytes("10§bob§1§");
    QTest::newRow("ProposalDeclined") << proposalDeclined("ann", "bob") << bytes("11§ann§bob§");
    QTest::newRow("Puissance4Board")
        << puissance4Board("bob", board(49), 2, 1, "Red to Play!")
        << bytes("12§bob§") + QByteArray("0\xA7").repeated(49) + bytes("2§1§Red to Play!§");
    QTest::newRow("OthelloBoard") << othelloBoard("bob", board(64), 1, 4)
                                  << bytes("13§bob§") + QByteArray("0\xA7").repeated(64) + bytes("1§4§");
    QTest::newRow("empty user name") << presence(QString()) << bytes("3§§");
}

void TestWire::builders()
{
    QFETCH(QString, message);
    QFETCH(QByteArray, expected);
    QCOMPARE(encode(message), expected);
}

void TestWire::encoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("ascii") << "abc" << QByteArray("abc");
    QTest::newRow("section sign") << QString(QChar(0xA7)) << QByteArray("\xA7");
    QTest::newRow("latin-1 letters") << QString::fromUtf8("été ÿ") << QByteArray("\xE9t\xE9 \xFF");
    QTest::newRow("euro and quotes") << QString::fromUtf8("€ “x” …") << QByteArray("\x80 \x93x\x94 \x85");
    QTest::newRow("outside the code page") << QString::fromUtf8("Ωx") << QByteArray("?x");
    QTest::newRow("one ? per character, not per UTF-16 unit")
        << QString::fromUtf8("a😀b") << QByteArray("a?b");
}

void TestWire::encoding()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(encode(text), expected);
    if (!expected.contains('?'))
        QCOMPARE(decode(expected), std::optional<QString>(text));
}

void TestWire::undefinedBytesDoNotDecode()
{
    for (const char undefined : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        QVERIFY(!decode(QByteArray("3\xA7") + undefined + '\xA7'));
    QCOMPARE(decode(QByteArray("\x8A\x9F")), std::optional<QString>(QString::fromUtf8("ŠŸ")));
}

void TestWire::splitting_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("fields");
    const QChar s = kSeparator;
    QTest::newRow("trailing separator") << QString("3%1bob%1").arg(s) << QStringList{"3", "bob", ""};
    QTest::newRow("no trailing separator") << QString("7%1bob").arg(s) << QStringList{"7", "bob"};
    QTest::newRow("adjacent separators") << QString("4%1%1b").arg(s) << QStringList{"4", "", "b"};
    QTest::newRow("no separator") << QString("hello") << QStringList{"hello"};
    QTest::newRow("empty") << QString() << QStringList{""};
}

void TestWire::splitting()
{
    QFETCH(QString, message);
    QFETCH(QStringList, fields);
    QCOMPARE(split(message), fields);
}

void TestWire::codes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("code"); // 0: not a code
    for (int code = 1; code <= 13; ++code)
        QTest::addRow("%d", code) << QString::number(code) << code;
    QTest::newRow("leading zero") << "01" << 0;
    QTest::newRow("leading blank") << " 1" << 0;
    QTest::newRow("trailing blank") << "1 " << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("fourteen") << "14" << 0;
    QTest::newRow("plus sign") << "+3" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "x" << 0;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << 0;
}

void TestWire::codes()
{
    QFETCH(QString, field);
    QFETCH(int, code);
    const auto parsed = codeOf(field);
    QCOMPARE(parsed ? int(*parsed) : 0, code);
}

void TestWire::numbers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("too large") << "32768" << false << 0;
    QTest::newRow("too small") << "-32769" << false << 0;
    QTest::newRow("far too large") << "99999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("minus alone") << "-" << false << 0;
    QTest::newRow("plus sign") << "+1" << false << 0;
    QTest::newRow("blank") << " 1" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("hex") << "0x1" << false << 0;
}

void TestWire::numbers()
{
    QFETCH(QString, field);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto parsed = toNumber(field);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(int(*parsed), value);
}

void TestWire::readAccepts_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("field1");
    QTest::newRow("chat line") << bytes("1§[bob,10:00:00]> hi") << 1 << "[bob,10:00:00]> hi";
    QTest::newRow("chat line cut at a foreign separator") << bytes("2§a§b") << 2 << "a";
    QTest::newRow("presence") << bytes("3§bob§") << 3 << "bob";
    QTest::newRow("presence without the trailing separator") << bytes("3§bob") << 3 << "bob";
    QTest::newRow("departure") << bytes("7§bob") << 7 << "bob";
    QTest::newRow("private message with an empty text") << bytes("6§bob§ann§") << 6 << "bob";
    QTest::newRow("availability 1") << bytes("10§bob§1§") << 10 << "bob";
    QTest::newRow("declined") << bytes("11§ann§bob§") << 11 << "ann";
}

void TestWire::readAccepts()
{
    QFETCH(QByteArray, datagram);
    QFETCH(int, code);
    QFETCH(QString, field1);
    const auto message = read(datagram);
    QVERIFY(message);
    QCOMPARE(int(message->code), code);
    QCOMPARE(message->field(1), field1);
}

void TestWire::readRefuses_data()
{
    QTest::addColumn<QByteArray>("datagram");
    const QByteArray cells64 = QByteArray("0\xA7").repeated(64);
    const QByteArray cells49 = QByteArray("0\xA7").repeated(49);
    QTest::newRow("unknown code") << bytes("14§x");
    QTest::newRow("code with a leading zero") << bytes("03§bob§");
    QTest::newRow("empty datagram") << QByteArray();
    QTest::newRow("code alone") << QByteArray("3");
    QTest::newRow("accept without acceptor") << bytes("4§ann");
    QTest::newRow("private message without text") << bytes("6§bob§ann");
    QTest::newRow("proposal without proposer") << bytes("8§bob");
    QTest::newRow("availability without index") << bytes("10§bob");
    QTest::newRow("availability not a number") << bytes("10§bob§x§");
    QTest::newRow("availability out of range") << bytes("10§bob§2§");
    QTest::newRow("availability negative") << bytes("10§bob§-1§");
    QTest::newRow("availability beyond 16 bits") << bytes("10§bob§65536§");
    QTest::newRow("undefined byte") << QByteArray("3\xA7\x81\xA7");
    QTest::newRow("othello board short") << bytes("13§bob§") + QByteArray("0\xA7").repeated(63) + bytes("1§5§");
    QTest::newRow("othello cell 3") << bytes("13§bob§3§") + QByteArray("0\xA7").repeated(63) + bytes("1§5§");
    QTest::newRow("othello turn 3") << bytes("13§bob§") + cells64 + bytes("3§5§");
    QTest::newRow("othello discs not a number") << bytes("13§bob§") + cells64 + bytes("1§five§");
    QTest::newRow("othello discs beyond 16 bits") << bytes("13§bob§") + cells64 + bytes("1§40000§");
    QTest::newRow("othello cell empty") << bytes("13§bob§§") + QByteArray("0\xA7").repeated(63) + bytes("1§5§");
    QTest::newRow("puissance board without status") << bytes("12§bob§") + cells49 + bytes("1§0");
    QTest::newRow("puissance colour 3") << bytes("12§bob§") + cells49 + bytes("3§1§x§");
    QTest::newRow("puissance discs 50") << bytes("12§bob§") + cells49 + bytes("1§50§x§");
    QTest::newRow("puissance discs negative") << bytes("12§bob§") + cells49 + bytes("1§-1§x§");
    QTest::newRow("puissance cell -1") << bytes("12§bob§-1§") + QByteArray("0\xA7").repeated(48) + bytes("1§1§x§");
}

void TestWire::readRefuses()
{
    QFETCH(QByteArray, datagram);
    QVERIFY(!read(datagram));
}

void TestWire::boardsRoundTrip()
{
    QString othelloCells;
    for (int k = 0; k < kOthelloCells; ++k)
        othelloCells += QString::number(k % 3) + kSeparator;
    const auto othello = read(encode(othelloBoard("bob", othelloCells, 2, 17)));
    QVERIFY(othello);
    QCOMPARE(othello->code, Code::OthelloBoard);
    QCOMPARE(othello->othello.cells[0], qint16(0));
    QCOMPARE(othello->othello.cells[1], qint16(1));
    QCOMPARE(othello->othello.cells[63], qint16(0));
    QCOMPARE(othello->othello.cells[62], qint16(2));
    QCOMPARE(othello->othello.turnColor, qint16(2));
    QCOMPARE(othello->othello.numDiscs, qint16(17));

    const auto puissance = read(encode(puissance4Board("ann", board(49, "2"), 1, 49, "Draw!")));
    QVERIFY(puissance);
    QCOMPARE(puissance->puissance4.cells[48], qint16(2));
    QCOMPARE(puissance->puissance4.color, qint16(1));
    QCOMPARE(puissance->puissance4.numDiscs, qint16(49));
    QCOMPARE(puissance->puissance4.status, QString("Draw!"));
}

QTEST_APPLESS_MAIN(TestWire)
#include "test_wire.moc"
