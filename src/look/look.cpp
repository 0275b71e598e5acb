#include "look/look.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace look {
namespace {

QPixmap drawPicture(QSize size, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QPixmap pixmap(size);
    QLinearGradient gradient(QPointF(0, 0), QPointF(size.width(), size.height()));
    for (const auto &[at, colour] : stops)
        gradient.setColorAt(at, colour);
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), gradient);
    return pixmap;
}

// One PNG per pixel size, rendered from the SVG originals at build time. The
// reader is told the format: left to guess, Qt would load every image-format
// plugin, SVG included, to ask whether it knows the file.
QIcon pngIcon(const char *name)
{
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    const QStringList files = dir.entryList({QLatin1String(name) + QStringLiteral("-*.png")}, QDir::Files);
    for (const QString &file : files) {
        QImageReader reader(dir.filePath(file), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

QFont verdana(qreal points)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    return font;
}

const QPixmap &picture(Picture which)
{
    static const QPixmap warm = drawPicture(
        {700, 350}, {{0.0, QColor(96, 16, 16)}, {0.5, QColor(200, 150, 100)}, {1.0, QColor(255, 250, 200)}});
    static const QPixmap pale = drawPicture(
        {500, 200}, {{0.0, QColor(80, 16, 32)}, {1.0, QColor(255, 250, 205)}});
    static const QPixmap navy = drawPicture(
        {300, 350}, {{0.0, QColor(0, 0, 64)}, {1.0, QColor(150, 190, 255)}});
    switch (which) {
    case Picture::Warm:
        return warm;
    case Picture::Pale:
        return pale;
    case Picture::Navy:
        break;
    }
    return navy;
}

void setBackground(QWidget &window, Picture which, const QColor &backColour)
{
    const QPixmap &source = picture(which);
    // Big enough for any of our fixed-size windows; the rest is the back colour.
    QPixmap canvas(qMax(source.width(), 800), qMax(source.height(), 600));
    canvas.fill(backColour);
    QPainter(&canvas).drawPixmap(0, 0, source);
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QBrush(canvas));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

QLineEdit *displayField(QWidget &parent, const char *name, const QRect &rect, qreal points, const QColor &back)
{
    auto *field = new QLineEdit(&parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(rect);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(Qt::AlignCenter);
    field->setFont(verdana(points));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    return field;
}

QLabel *sideLabel(QWidget &parent, const char *name, const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, &parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    label->setFont(verdana(kLargePoints));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::HighlightedText));
    label->setPalette(palette);
    return label;
}

QLabel *statusPanel(QLabel &label)
{
    label.setAutoFillBackground(true);
    label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label.setContentsMargins(3, 0, 3, 0);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, kPanelGrey);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    return &label;
}

void refuseSeparator(QWidget &parent)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Warning!"),
                                QStringLiteral("The charachter \u00a7 is not allowed!"), QMessageBox::Ok, &parent);
    box->setObjectName(QStringLiteral("Warning"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// Each icon is read once and shared: QIcon copies share their pixmaps, so a
// list of thousands of entries holds two bulbs, not thousands. Never freed,
// so no pixmap outlives the application at exit.
namespace {
QIcon sharedIcon(const char *name)
{
    static auto *const icons = new QHash<QByteArray, QIcon>;
    auto found = icons->find(name);
    if (found == icons->end())
        found = icons->insert(name, pngIcon(name));
    return *found;
}
} // namespace

QIcon sailIcon() { return sharedIcon("sail"); }
QIcon envelopeIcon() { return sharedIcon("envelope"); }
QIcon sunIcon() { return sharedIcon("sun"); }
QIcon bulbOnIcon() { return sharedIcon("bulb-on"); }
QIcon bulbOffIcon() { return sharedIcon("bulb-off"); }

} // namespace look
