#include "mainwindow/aboutbox.h"

#include "look/designlayout.h"
#include "look/look.h"
#include "look/names.h"
#include "mainwindow/helpmenu.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<AboutBox> openBox;

QLabel *makeLabel(DesignLayout &layout, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = look::named(new QLabel(text, layout.parentWidget()), name);
    label->setTextFormat(Qt::PlainText);
    layout.add(*label, geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *owner)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    auto *layout = new DesignLayout(*this, look::twips(0, 0, 5895, 1455).size());
    makeLabel(*layout, "lblTitle", tr("Quillet"), look::twips(240, 120, 1365, 255));
    makeLabel(*layout, "lblVersion", tr("Version: %1").arg(QStringLiteral("1.04")), look::twips(240, 440, 3885, 255));
    makeLabel(*layout, "lblDescription", tr("Chat on your own LAN."), look::twips(240, 760, 2205, 255));
    makeLabel(*layout, "Label1", tr("Homepage: %1").arg(QLatin1String(HelpMenu::kHomePage)),
              look::twips(240, 1080, 4215, 255));

    auto *okButton = look::named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Quillet"));
    setFont(look::verdana(look::kSmallPoints));
    setFixedSize(look::twips(0, 0, 5895, 1455).size());
    look::setBackground(*this, look::Picture::Pale, look::kWindowBack);
    setAttribute(Qt::WA_DeleteOnClose);

    layout->add(*okButton, look::twips(4320, 960, 1380, 345));
    // Enter presses it as the default button; Esc closes the dialog anyway.
    okButton->setDefault(true);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
}

void AboutBox::open(QWidget *owner)
{
    if (openBox)
        return;
    openBox = new AboutBox(owner);
    openBox->show();
}

AboutBox *AboutBox::instance()
{
    return openBox;
}

void AboutBox::paintEvent(QPaintEvent *event)
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
