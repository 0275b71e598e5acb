#include "look/placement.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace look {
namespace {

// About a title bar's height: each window's caption stays readable below the last.
constexpr int kCascadeStep = 24;

// The secondary windows placed so far; a closed one no longer counts, a
// deleted one drops out of the list.
QList<QPointer<QWidget>> &placed()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

bool isOpen(const QWidget *window)
{
    return window && window->isVisible();
}

bool takenByAnother(const QWidget &window, const QPoint &at)
{
    for (const QPointer<QWidget> &other : placed()) {
        if (other != &window && isOpen(other) && other->pos() == at)
            return true;
    }
    return false;
}

} // namespace

void centreOn(QWidget &window, const QWidget *owner)
{
    const QRect area = owner ? owner->frameGeometry() : window.screen()->availableGeometry();
    window.move(area.center() - window.rect().center());
}

void placeNew(QWidget &window, const QWidget *owner)
{
    QList<QPointer<QWidget>> &windows = placed();
    windows.removeAll(nullptr);
    windows.removeAll(&window);

    const QWidget *last = nullptr;
    for (auto it = windows.crbegin(); it != windows.crend() && !last; ++it) {
        if (isOpen(*it))
            last = *it;
    }
    QPoint at;
    if (last) {
        at = last->pos() + QPoint(kCascadeStep, kCascadeStep);
    } else {
        centreOn(window, owner);
        at = window.pos();
    }

    // A frame the size of the client area plus a title bar must fit; past the
    // right or bottom edge the cascade starts again at the area's top left.
    const QRect area = (owner ? owner->screen() : window.screen())->availableGeometry();
    const QSize frame = window.size() + QSize(0, kCascadeStep);
    const auto fits = [&](const QPoint &p) { return area.contains(QRect(p, frame)); };
    // Each new start is half a step right of the last, so restarts never coincide.
    int restarts = 0;
    const auto restart = [&] { return area.topLeft() + QPoint(restarts++ * kCascadeStep / 2, 0); };
    if (!fits(at))
        at = restart();
    // Each try passes one open window at most, so this ends.
    for (int tries = 0; takenByAnother(window, at) && tries <= windows.size(); ++tries) {
        at += QPoint(kCascadeStep, kCascadeStep);
        if (!fits(at))
            at = restart();
    }
    if (!fits(at)) // larger than the screen: its top left at least stays on it
        at = area.topLeft();
    window.move(at);
    windows.append(&window);
}

void placeClearOf(QWidget &window, const QWidget &other)
{
    const QRect area = window.screen()->availableGeometry();
    const QRect taken = other.frameGeometry();
    const QSize size = window.frameGeometry().size();
    // Below, above, right, left of the other window, centred on it.
    const QList<QPoint> tries{
        {taken.center().x() - size.width() / 2, taken.bottom() + 1},
        {taken.center().x() - size.width() / 2, taken.top() - size.height()},
        {taken.right() + 1, taken.center().y() - size.height() / 2},
        {taken.left() - size.width(), taken.center().y() - size.height() / 2},
    };
    const auto covered = [&](const QPoint &at) {
        const QRect overlap = QRect(at, size).intersected(taken);
        return overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
    };
    QPoint best = window.frameGeometry().topLeft();
    for (QPoint at : tries) {
        // Kept on the screen, which may bring it back over the other window.
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
        if (covered(at) < covered(best))
            best = at;
    }
    window.move(best);
}

void bringForward(QWidget &window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void showUnasked(QWidget &window)
{
    // Kept set: a later show by the network must not take the keyboard
    // either; the user's own paths activate the window themselves.
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    // The attribute reaches a window the desktop already knows only by this.
    if (QWindow *handle = window.windowHandle())
        handle->setProperty("_q_showWithoutActivating", true);
    window.show();
    window.raise();
    QApplication::alert(&window);
}

} // namespace look
