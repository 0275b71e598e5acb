#include "frmabout.h"

#include "help.h"
#include "look.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<frmAbout> openBox;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
    , lblTitle(makeLabel(this, "lblTitle", QStringLiteral("Quillet"), look::twips(240, 120, 1365, 255)))
    , lblVersion(makeLabel(this, "lblVersion", QStringLiteral("Version: 1.04"), look::twips(240, 440, 3885, 255)))
    , lblDescription(makeLabel(this, "lblDescription", tr("Chat on your own LAN."),
                               look::twips(240, 760, 2205, 255)))
    , Label1(makeLabel(this, "Label1", QStringLiteral("Homepage: ") + QLatin1String(Help::kHomePage),
                       look::twips(240, 1080, 4215, 255)))
    , cmdOK(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quillet"));
    setFont(look::verdana(8.25));
    setFixedSize(look::twips(0, 0, 5895, 1455).size());
    look::setBackground(*this, look::Picture::Pale, look::kWindowBack);
    setAttribute(Qt::WA_DeleteOnClose);

    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(look::twips(4320, 960, 1380, 345));
    // Enter presses it as the default button; Esc closes the dialog anyway.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Load(QWidget *owner)
{
    if (openBox)
        return;
    openBox = new frmAbout(owner);
    openBox->Form_Load();
}

frmAbout *frmAbout::instance()
{
    return openBox;
}

void frmAbout::Form_Load()
{
    show();
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // A thin frame in the system's window-background colour.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Base));
    const auto point = [](int x, int y) { return QPoint(look::px(x), look::px(y)); };
    painter.drawLine(point(0, 0), point(5880, 0));
    painter.drawLine(point(5, 1440), point(5, 0));
    painter.drawLine(point(5880, 1440), point(0, 1440));
    painter.drawLine(point(5880, 120), point(5880, 1440));
    painter.drawLine(point(5880, 0), point(5880, 1320));
}
