// Feeds arbitrary datagrams to a whole station, as a hostile peer could:
// nothing it receives may crash or hang it.
#include "form1.h"
#include "support/locallan.h"

#include <QApplication>
#include <QMessageBox>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_dispatch";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("USERNAME", "alice");
        return new QApplication(argc, argv);
    }();
    static LocalLan lan;
    static Form1 *station = [] {
        auto *form1 = new Form1(*lan.attach());
        form1->Form_Load();
        return form1;
    }();
    station->TCP1_DataArrival(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    // Windows opened by the datagram go again, so a long run stays small.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(window) || qobject_cast<Form5 *>(window) || qobject_cast<QMessageBox *>(window))
            delete window;
    }
    app->processEvents();
    return 0;
}
