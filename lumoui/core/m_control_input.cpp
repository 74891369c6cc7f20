// The routers of MControl: mouse, wheel, keys and animation ticks, passed down the tree to
// the child concerned and to the control's own hooks.
#include "lumoui/core/m_control.h"
#include "lumoui/core/paint_manager.h"

namespace LumoUI {

int MControl::OnMouseMove(UINT flags, CPoint pt) {
    if (!visible_ || !response_) {
        return 0;
    }
    const CPoint received = pt;
    OnMousePointChange(pt);
    if (MControl* hot = hot_) {
        const CPoint p = PointFor(*hot, received, pt);
        // While a button is held since a press inside, the hot child keeps every move.
        if ((hot->PtInRect(p) && hot->OnCheckMouseResponse(flags, p)) || mouseDownInside_) {
            return hot->OnMouseMove(flags, p);
        }
    }
    hot_ = nullptr;
    if (!tooltip_.empty() && manager_ != nullptr && PtInRect(received) &&
        OnCheckMouseResponse(flags, pt) && manager_->GetTooltipCtrlID() != id_) {
        SetTooltip(tooltip_, rect_);
    }
    OnControlSetCursor(flags, pt);
    const int result = OnControlMouseMove(flags, pt);
    if (!mouseDownInside_) {
        // Every child sees the move, so the one the mouse left can drop its hover look.
        // Indexes rather than iterators here and below: a handler may change the list.
        MControl* hot = nullptr;
        ListLock lock = LockControls();
        for (size_t i = 0; i < children_.size(); ++i) {
            MControl* child = children_[i].get();
            const CPoint p = PointFor(*child, received, pt);
            if (child->OnMouseMove(flags, p) && child->PtInRect(p)) {
                hot = child;
            }
        }
        hot_ = hot;
    }
    return hot_ != nullptr ? 1 : result;
}

int MControl::RoutePress(UINT flags, CPoint pt, Router press, Router hook) {
    if (!visible_ || !response_) {
        return 0;
    }
    const CPoint received = pt;
    OnMousePointChange(pt);
    mouseDownInside_ = rect_.PtInRect(received) ? 1 : 0;
    {
        // The topmost child under the point; a press on no child keeps the hot child of the
        // last move.
        MControl* found = nullptr;
        ListLock lock = LockControls();
        for (const auto& child : children_) {
            const CPoint p = PointFor(*child, received, pt);
            if (child->visible_ && child->enabled_ && child->response_ && child->PtInRect(p)) {
                found = child.get();
            }
        }
        if (found != nullptr) {
            hot_ = found;
        }
    }
    if (MControl* hot = hot_) {
        return (hot->*press)(flags, PointFor(*hot, received, pt));
    }
    if (manager_ != nullptr) {
        manager_->SetFocusControl(this);
    }
    return (this->*hook)(flags, pt);
}

int MControl::RouteRelease(UINT flags, CPoint pt, Router release, Router hook) {
    if (!visible_ || !response_) {
        return 0;
    }
    const CPoint received = pt;
    OnMousePointChange(pt);
    mouseDownInside_ = 0;
    if (MControl* hot = hot_) {
        return (hot->*release)(flags, PointFor(*hot, received, pt));
    }
    return (this->*hook)(flags, pt);
}

// A control whose double-click flag is off takes a double click as one more press, through
// the whole press router (so it is not delivered twice when the child does not handle it).
int MControl::RouteDblClk(UINT flags, CPoint pt, Router dblClk, Router press, Router dblClkHook) {
    if (!visible_ || !response_) {
        return 0;
    }
    const CPoint received = pt;
    OnMousePointChange(pt);
    mouseDownInside_ = 0;
    if (MControl* hot = hot_) {
        const CPoint p = PointFor(*hot, received, pt);
        return hot->dblClk_ ? (hot->*dblClk)(flags, p) : (hot->*press)(flags, p);
    }
    if (!dblClk_) {
        return (this->*press)(flags, received);
    }
    return (this->*dblClkHook)(flags, pt);
}

int MControl::OnLButtonDown(UINT flags, CPoint pt) {
    return RoutePress(flags, pt, &MControl::OnLButtonDown, &MControl::OnControlLButtonDown);
}

int MControl::OnLButtonUp(UINT flags, CPoint pt) {
    return RouteRelease(flags, pt, &MControl::OnLButtonUp, &MControl::OnControlLButtonUp);
}

int MControl::OnLButtonDblClk(UINT flags, CPoint pt) {
    return RouteDblClk(flags, pt, &MControl::OnLButtonDblClk, &MControl::OnLButtonDown,
                       &MControl::OnControlLButtonDblClk);
}

int MControl::OnRButtonDown(UINT flags, CPoint pt) {
    return RoutePress(flags, pt, &MControl::OnRButtonDown, &MControl::OnControlRButtonDown);
}

int MControl::OnRButtonUp(UINT flags, CPoint pt) {
    return RouteRelease(flags, pt, &MControl::OnRButtonUp, &MControl::OnControlRButtonUp);
}

int MControl::OnRButtonDblClk(UINT flags, CPoint pt) {
    return RouteDblClk(flags, pt, &MControl::OnRButtonDblClk, &MControl::OnRButtonDown,
                       &MControl::OnControlRButtonDblClk);
}

int MControl::OnScroll(int kind, UINT direction, CPoint pt) {
    if (!visible_ || !response_ || !enabled_) {
        return 0;
    }
    const CPoint received = pt;
    OnMousePointChange(pt);
    MControl* hot = hot_;
    if (hot != nullptr) {
        const CPoint p = PointFor(*hot, received, pt);
        if (hot->PtInRect(p) && hot->OnCheckMouseResponse(0, p) &&
            hot->OnScroll(kind, direction, p)) {
            return 1;
        }
    }
    if (rect_.PtInRect(received) && OnControlScroll(kind, direction, pt)) {
        return 1;
    }
    ListLock lock = LockControls();
    for (size_t i = 0; i < children_.size(); ++i) {
        MControl* child = children_[i].get();
        const CPoint p = PointFor(*child, received, pt);
        if (child != hot && child->PtInRect(p) && child->OnScroll(kind, direction, p)) {
            return 1;
        }
    }
    return 0;
}

int MControl::OnKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (!visible_ || !response_) {
        return 0;
    }
    MControl* at = this;
    for (;;) {
        MControl* focused = nullptr;
        ListLock lock = at->LockControls();
        for (const auto& child : at->children_) {
            if (child->focused_ && child->visible_ && child->response_) {
                focused = child.get();
                break;
            }
        }
        if (focused == nullptr) {
            break;
        }
        at = focused;
    }
    MControl* hot = at->hot_;
    if (hot != nullptr && hot->OnKeyDown(vk, repeat, modifier)) {
        return 1;
    }
    if (at->OnControlKeyDown(vk, repeat, modifier)) {
        return 1;
    }
    ListLock lock = at->LockControls();
    for (size_t i = 0; i < at->children_.size(); ++i) {
        MControl* child = at->children_[i].get();
        if (child != hot && child->OnKeyDown(vk, repeat, modifier)) {
            return 1;
        }
    }
    return 0;
}

int MControl::OnKeyUp(UINT, UINT, UINT) {
    return 0;
}

int MControl::OnTimer() {
    int changed = OnControlTimer();
    ListLock lock = LockControls();
    for (size_t i = 0; i < children_.size(); ++i) {
        MControl* child = children_[i].get();
        if (child->runTimer_ && child->visible_ && child->OnTimer()) {
            changed = 1;
        }
    }
    return changed != 0 ? 1 : 0;
}

}  // namespace LumoUI
