#include "look/designlayout.h"

#include <QEvent>
#include <QWidget>

DesignLayout::DesignLayout(QWidget &window, const QSize &designSize)
    : QLayout(&window)
    , m_designSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

DesignLayout::~DesignLayout()
{
    for (const Placed &placed : m_placed)
        delete placed.item;
}

void DesignLayout::measureOn(QWidget &frame)
{
    m_frame = &frame;
    // The frame's own layout moves the window within it (a tab bar's height
    // is known once it is shown), which the window's size alone does not tell.
    for (QWidget *between = parentWidget()->parentWidget(); between && between != &frame;
         between = between->parentWidget())
        between->installEventFilter(this);
    invalidate();
}

void DesignLayout::add(QWidget &child, const QRect &design, Follows follows)
{
    addChildWidget(&child);
    m_placed.push_back({new QWidgetItem(&child), design, follows});
    child.setGeometry(design);
    invalidate();
}

bool DesignLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Move && m_frame)
        setGeometry(geometry());
    return QLayout::eventFilter(watched, event);
}

void DesignLayout::addItem(QLayoutItem *item)
{
    // Only add() knows a child's design; anything else keeps its own place.
    m_placed.push_back({item, item->geometry(), Stays});
}

int DesignLayout::count() const
{
    return int(m_placed.size());
}

QLayoutItem *DesignLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_placed[std::size_t(index)].item : nullptr;
}

QLayoutItem *DesignLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem *item = m_placed[std::size_t(index)].item;
    m_placed.erase(m_placed.begin() + index);
    return item;
}

QSize DesignLayout::sizeHint() const
{
    return minimumSize();
}

QSize DesignLayout::minimumSize() const
{
    // A window measured on a frame takes the size the frame gives it.
    return m_frame ? QSize(0, 0) : m_designSize;
}

void DesignLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    QWidget *window = parentWidget();
    QPoint origin = rect.topLeft();
    QSize grown = rect.size() - m_designSize;
    if (m_frame && window) {
        origin = -window->mapTo(m_frame, QPoint());
        grown = m_frame->size() - m_designSize;
    }
    for (const Placed &placed : m_placed) {
        QWidget *child = placed.item->widget();
        if (!child)
            continue;
        QRect place = placed.design.translated(origin);
        place.translate(placed.follows & Right ? grown.width() : 0, placed.follows & Bottom ? grown.height() : 0);
        place.setSize(place.size()
                      + QSize(placed.follows & Wider ? grown.width() : 0, placed.follows & Taller ? grown.height() : 0));
        // Straight to the widget: a layout item leaves hidden widgets where they were.
        child->setGeometry(place);
    }
}
