#include "look/look.h"
#include "mainwindow/mainwindow.h"
#include "net/messages.h"
#include "net/wire.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

namespace {

// Notes, for each datagram sent, how many widgets the window had by then.
class RecordingLink final : public DatagramLink
{
public:
    const QObject *window = nullptr;
    QList<QByteArray> sent;
    QList<int> widgetsAtSend;

    void send(const QByteArray &datagram) override
    {
        sent << datagram;
        widgetsAtSend << int(window->findChildren<QWidget *>().size());
    }
    bool isOwnAddress(const QHostAddress &) const override { return false; }
};

QStringList mappedLibraries(const QStringList &wanted)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {"/proc/self/maps unreadable"};
    const QString text = QString::fromLatin1(maps.readAll());
    QStringList found;
    for (const QString &name : wanted) {
        if (text.contains(name))
            found << name;
    }
    return found;
}

} // namespace

// Start-up as the program does it, in a process of its own: the first
// broadcast before the window, and no image-format plugin for the first frame.
class TestStartup final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void announcesBeforeBuildingTheWindow();
    void firstFrameLoadsNoImagePlugin();
};

void TestStartup::initTestCase()
{
    QApplication::setStyle(look::createStyle());
}

void TestStartup::announcesBeforeBuildingTheWindow()
{
    RecordingLink link;
    qputenv("USERNAME", "alice");
    MainWindow window(link);
    link.window = &window;
    window.start();
    QCOMPARE(link.sent, (QList<QByteArray>{wire::encode(wire::presence("alice")),
                                           wire::encode(wire::availability("alice", 0))}));
    QCOMPARE(link.widgetsAtSend, (QList<int>{0, 0}));
    QVERIFY(window.findChild<QWidget *>("Text1"));
    QVERIFY(window.isVisible());
}

void TestStartup::firstFrameLoadsNoImagePlugin()
{
    RecordingLink link;
    qputenv("USERNAME", "alice");
    MainWindow window(link);
    link.window = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    const QStringList unwanted{"libQt6Svg", "/imageformats/", "/iconengines/"};
    QCOMPARE(mappedLibraries(unwanted), QStringList());

    // The menu bar's extension button still has its icon when it is drawn.
    auto *extension = window.menuBar()->findChild<QToolButton *>();
    QVERIFY(extension);
    QVERIFY(!extension->icon().isNull());
    QVERIFY(!extension->icon().pixmap(16).isNull());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
