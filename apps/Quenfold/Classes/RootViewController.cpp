#include "RootViewController.h"

#include "GLViewController.h"
#include "HostSurface.h"
#include "NavigationBar.h"
#include "framework/EffectFactory.h"
#include "utils/Utils.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDragThreshold = 6; // points a press may wander and still be a tap

} // namespace

int RootViewController::numberOfRows() const
{
    return EffectFactory::getInstance()->getNumEffects();
}

const char* RootViewController::rowText(int row) const
{
    return EffectFactory::getInstance()->getEffectName(row);
}

int RootViewController::maxScroll() const
{
    const int visible = HostSurface::kHeight - NavigationBar::kHeight;
    return std::max(0, numberOfRows() * kRowHeight - visible);
}

void RootViewController::scrollBy(int dy)
{
    scroll = std::clamp(scroll + dy, 0, maxScroll());
}

RootViewController::Hit RootViewController::hitTest(int x, int y) const
{
    Hit hit;
    if (y < NavigationBar::kHeight || y >= HostSurface::kHeight || x < 0 || x >= HostSurface::kWidth)
        return hit;
    const int row = (y - NavigationBar::kHeight + scroll) / kRowHeight;
    if (row >= numberOfRows())
        return hit;
    hit.kind = x >= HostSurface::kWidth - kAccessoryWidth ? Hit::Disclosure : Hit::Row;
    hit.row = row;
    return hit;
}

void RootViewController::touchesBegan(int x, int y)
{
    pressY = y;
    pressScroll = scroll;
    dragging = false;
    pressed = hitTest(x, y);
}

void RootViewController::touchesMoved(int x, int y)
{
    if (!dragging && std::abs(y - pressY) <= kDragThreshold)
        return;
    dragging = true;
    pressed = Hit();
    scroll = std::clamp(pressScroll - (y - pressY), 0, maxScroll());
}

std::unique_ptr<GLViewController> RootViewController::touchesEnded(int x, int y)
{
    const Hit was = pressed;
    pressed = Hit();
    if (dragging || was.kind == Hit::None || !(hitTest(x, y) == was))
        return nullptr;
    return was.kind == Hit::Row ? didSelectRow(was.row) : accessoryButtonTapped(was.row);
}

std::unique_ptr<GLViewController> RootViewController::didSelectRow(int row)
{
    EffectFactory* factory = EffectFactory::getInstance();
    factory->setSelectedEffect(row);
    vell::Log::msg("%s", factory->getEffectName(row));
    return std::make_unique<GLViewController>();
}

std::unique_ptr<GLViewController> RootViewController::accessoryButtonTapped(int row) const
{
    return std::make_unique<GLViewController>(EffectFactory::getInstance()->getEffectInfo(row));
}
