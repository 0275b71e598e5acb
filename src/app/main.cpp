#include "app/singleinstance.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "games/gamewindows.h"
#include "look/look.h"
#include "look/placement.h"
#include "look/translations.h"
#include "mainwindow/mainwindow.h"
#include "settings/preferences.h"
#include "station/quitsignals.h"
#include "station/station.h"
#include "station/udplink.h"
#include "wire/wire.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QLocale>
#include <QMessageBox>

#include <cstdio>

namespace {

// The platforms to try when the user named none, the screenless one last:
// Qt ends the program with an abort when none can be loaded, so a display
// that cannot be opened must fall through to one that always loads and is
// then told apart. Empty with no display to try at all. The desktop's own
// kind of session comes first, as Qt itself would choose.
QByteArray platformsToTry()
{
    QByteArrayList platforms;
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms << "xcb";
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        platforms.insert(qgetenv("XDG_SESSION_TYPE") == "wayland" ? 0 : platforms.size(), "wayland");
    if (platforms.isEmpty())
        return {};
    return (platforms << "offscreen").join(';');
}

// Held while the platforms are tried: with no display the user is told once
// why there is no window, not by each failed attempt.
QList<std::pair<QtMsgType, QString>> *heldMessages = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    heldMessages->append({type, text});
}

int noDisplay()
{
    std::fputs(qPrintable(QCoreApplication::translate(
                   "main", "quillet: no display could be opened for the window; quillet say, who, listen and "
                           "message work without a display.\n")),
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // The command line is read before anything else: help, a version or a
    // typo touches neither the network nor the display, and the commands run
    // where there is no display at all.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const cli::Invocation invocation = cli::parse(arguments);
    if (invocation.command != cli::Command::Window) {
        QCoreApplication app(argc, argv);
        return cli::run(invocation);
    }

    // Decided before the station starts: without a window nothing is sent.
    const bool platformNamed = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray platforms = platformNamed ? QByteArray() : platformsToTry();
    if (!platformNamed && platforms.isEmpty())
        return noDisplay();
    QList<std::pair<QtMsgType, QString>> held;
    if (!platformNamed) {
        qputenv("QT_QPA_PLATFORM", platforms);
        heldMessages = &held;
        qInstallMessageHandler(holdMessage);
    }
    QApplication app(argc, argv);
    if (!platformNamed) {
        qInstallMessageHandler(nullptr);
        // Programs started from here, such as a browser, choose their own platform.
        qunsetenv("QT_QPA_PLATFORM");
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            return noDisplay();
        for (const auto &[type, text] : std::as_const(held))
            qt_message_output(type, QMessageLogContext(), text);
    }
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    look::installTranslations(QLocale::system());
    QApplication::setStyle(look::createStyle());
    // Message and proposal windows may still be open: the program ends with the station.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start under the same name on this desktop only brings the
    // running station forward, before anything is sent.
    const QString platform = QGuiApplication::platformName();
    const QString userName = stationUserName(Preferences::load().name);
    SingleInstance single(userName,
                          platform + u' ' + qEnvironmentVariable(platform == u"wayland" ? "WAYLAND_DISPLAY" : "DISPLAY"));
    if (single.handOverToRunning())
        return 0;

    UdpLink link;
    if (!link.bind(wire::kPort)) {
        const QString reason = QCoreApplication::translate("main", "Quillet cannot listen on UDP port %1: %2")
                                   .arg(wire::kPort)
                                   .arg(link.errorString());
        qCritical().noquote() << reason;
        // Nobody could press OK on a screenless platform.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("main", "Quillet"), reason);
            box.setWindowIcon(look::sailIcon());
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
        return 2;
    }

    // The first broadcast goes out before any window is built: peers hear of
    // this station while its windows are still being made.
    Station station(link);
    station.setAvailability(0);
    station.start(userName);
    GameWindows games(station);
    MainWindow window(station, games);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window, &MainWindow::close);
    QObject::connect(&window, &MainWindow::stationClosed, &app, &QApplication::quit, Qt::QueuedConnection);
    single.listen();
    QObject::connect(&single, &SingleInstance::showRequested, &window, [&window] { look::bringForward(window); });
    window.start();
    // Set after the first broadcast, which needs no icon; windows without an
    // icon of their own show this one.
    QApplication::setWindowIcon(look::sailIcon());
    return app.exec();
}
