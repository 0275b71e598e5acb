#include "cli/commandline.h"
#include "cli/commands.h"
#include "look/look.h"
#include "mainwindow/mainwindow.h"
#include "net/quitsignals.h"
#include "net/udplink.h"
#include "net/wire.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QMessageBox>

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

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setStyle(look::createStyle());
    // Message and proposal windows may still be open: the program ends with the station.
    QApplication::setQuitOnLastWindowClosed(false);

    UdpLink link;
    if (!link.bind(wire::kPort)) {
        const QString reason = QStringLiteral("Quillet cannot listen on UDP port %1: %2")
                                   .arg(wire::kPort)
                                   .arg(link.errorString());
        qCritical().noquote() << reason;
        // Nobody could press OK on a screenless platform.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillet"), reason);
            box.setWindowIcon(look::sailIcon());
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
        return 2;
    }

    MainWindow window(link);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window, &MainWindow::close);
    QObject::connect(&window, &MainWindow::stationClosed, &app, &QApplication::quit, Qt::QueuedConnection);
    window.start();
    // Set after the first broadcast, which needs no icon; windows without an
    // icon of their own show this one.
    QApplication::setWindowIcon(look::sailIcon());
    return app.exec();
}
