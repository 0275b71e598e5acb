#include "look/look.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <QPalette>
#include <QPaintEvent>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>
#include <QPainter>

#include <array>

namespace look {
namespace {

// Each picture is a diagonal gradient over its own rectangle, from the top-left
// corner to the bottom-right one.
QSize pictureSize(Picture which)
{
    switch (which) {
    case Picture::Warm:
        return {700, 350};
    case Picture::Pale:
        return {500, 200};
    case Picture::Navy:
        break;
    }
    return {300, 350};
}

QLinearGradient pictureGradient(Picture which)
{
    const QSize size = pictureSize(which);
    QLinearGradient gradient(QPointF(0, 0), QPointF(size.width(), size.height()));
    switch (which) {
    case Picture::Warm:
        gradient.setStops({{0.0, QColor(96, 16, 16)}, {0.5, QColor(200, 150, 100)}, {1.0, QColor(255, 250, 200)}});
        break;
    case Picture::Pale:
        gradient.setStops({{0.0, QColor(80, 16, 32)}, {1.0, QColor(255, 250, 205)}});
        break;
    case Picture::Navy:
        gradient.setStops({{0.0, QColor(0, 0, 64)}, {1.0, QColor(150, 190, 255)}});
        break;
    }
    return gradient;
}

QPixmap drawPicture(Picture which)
{
    QPixmap pixmap(pictureSize(which));
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), pictureGradient(which));
    return pixmap;
}

// Beyond its picture a window grown past it goes on with the picture's own
// gradient, so no seam shows where the picture ends; inside it nothing is
// painted here and the picture shows pixel for pixel.
class BeyondPicture final : public QObject
{
public:
    BeyondPicture(QWidget &widget, Picture which)
        : QObject(&widget)
        , m_picture(QPoint(), pictureSize(which))
        , m_gradient(pictureGradient(which))
    {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The widget's own background is filled before its paint event, and
        // its paintEvent draws after this, so the gradient lies in between.
        if (event->type() == QEvent::Paint) {
            const QRegion beyond = static_cast<QPaintEvent *>(event)->region().subtracted(m_picture);
            if (!beyond.isEmpty()) {
                QPainter painter(static_cast<QWidget *>(watched));
                for (const QRect &rect : beyond)
                    painter.fillRect(rect, m_gradient);
            }
        }
        return false;
    }

private:
    QRect m_picture;
    QLinearGradient m_gradient;
};

// A standard icon read from its files when it is first drawn. Qt reads the
// style's standard icons without naming their format, which loads every
// image-format plugin (the SVG library among them) to ask about each file.
class StandardIconOnUse final : public QIconEngine
{
public:
    StandardIconOnUse(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : m_style(style)
        , m_which(which)
        , m_widget(widget)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine *clone() const override { return new StandardIconOnUse(*this); }

private:
    const QIcon &icon()
    {
        if (!m_loaded && m_style) {
            m_icon = m_style->standardIcon(m_which, nullptr, m_widget);
            m_loaded = true;
        }
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QPointer<const QWidget> m_widget;
    QIcon m_icon;
    bool m_loaded = false;
};

// The platform's style, but for the icons of the extension button every menu
// bar and tool bar builds at once and shows only when its items do not fit.
class Style final : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (option == nullptr
            && (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton))
            return QIcon(new StandardIconOnUse(baseStyle(), which, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

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

QStyle *createStyle()
{
    return new Style;
}

const QPixmap &picture(Picture which)
{
    // One picture per kind, drawn when a window first needs it and shared by
    // every window of that kind.
    static std::array<QPixmap, 3> pictures;
    QPixmap &shared = pictures[std::size_t(which)];
    if (shared.isNull())
        shared = drawPicture(which);
    return shared;
}

void setBackground(QWidget &window, Picture which, const QColor &backColour)
{
    // The shared picture itself is the brush: QPixmap copies share their
    // pixels, so no window holds a picture of its own. Children that fill
    // their background with the window's brush (the status bar) show the
    // picture from their own top-left corner, and the style draws the tab
    // pages and buttons over it as it always did.
    // The colour is what styles read as the window's colour.
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QBrush(backColour, picture(which)));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    new BeyondPicture(window, which);
}

void continuePicture(QWidget &child, Picture which)
{
    new BeyondPicture(child, which);
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

void drawKeyCursor(QPainter &painter, const QRect &cell)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(QRectF(cell).adjusted(2, 2, -2, -2));
    painter.restore();
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
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::translate("Warning", "Warning!"),
                                QCoreApplication::translate("Warning", "The charachter \u00a7 is not allowed!"), QMessageBox::Ok, &parent);
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

namespace {

const QColor kUnreadDot{255, 153, 0};

// The dot drawn over a picture of side pixels, in its top right corner.
void drawDot(QPainter &painter, int side)
{
    const int dot = std::max(4, side / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(kUnreadDot);
    painter.drawEllipse(QRectF(side - dot, 0, dot - 1, dot - 1));
}

} // namespace

QIcon unreadIcon()
{
    // As large as the tab's icon place: a dot read at a glance on any tab
    // colour, its white ring and dark edge setting it off from light and dark.
    static const QIcon icon = [] {
        constexpr int kSide = 16;
        QPixmap dot(kSide, kSide);
        dot.fill(Qt::transparent);
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(64, 32, 0), 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(1, 1, kSide - 2, kSide - 2));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kUnreadDot);
        painter.drawEllipse(QRectF(3, 3, kSide - 6, kSide - 6));
        return QIcon(dot);
    }();
    return icon;
}

QIcon sailUnseenIcon()
{
    static const QIcon icon = [] {
        QIcon marked;
        for (const int side : {16, 24, 32, 48}) {
            QPixmap picture = sailIcon().pixmap(side, side);
            QPainter painter(&picture);
            drawDot(painter, side);
            marked.addPixmap(picture);
        }
        return marked;
    }();
    return icon;
}

} // namespace look
