#include "look/look.h"
#include "support/composedstation.h"
#include "wire/messages.h"
#include "wire/wire.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace {

class RecordingLink final : public DatagramLink
{
public:
    QList<QByteArray> sent;

    void send(const QByteArray &datagram) override { sent << datagram; }
    bool isOwnAddress(const QHostAddress &) const override { return false; }
};

} // namespace

// Start-up as the program does it, in a process of its own: the presence and
// the availability, and no image-format plugin for the first frame nor for
// any icon shown later: they are PNGs rendered at build time.
class TestStartup final : public QObject
{
    Q_OBJECT
private slots:
    void startUp()
    {
        QApplication::setStyle(look::createStyle());
        RecordingLink link;
        const auto composed = composeStation(link, QStringLiteral("alice"));
        MainWindow &window = *composed;
        window.start();
        // The availability box's first selection sends nothing.
        QCOMPARE(link.sent, (QList<QByteArray>{wire::encode(wire::presence(QStringLiteral("alice"))),
                                               wire::encode(wire::availability(QStringLiteral("alice"), 0))}));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        for (QIcon (*icon)() : {&look::sailIcon, &look::envelopeIcon, &look::sunIcon, &look::bulbOnIcon, &look::bulbOffIcon})
            QVERIFY(!icon().pixmap(32).isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        for (const char *library : {"libQt6Svg", "/imageformats/", "/iconengines/"})
            QVERIFY2(!mapped.contains(library), library);

    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
