#include "lumoui/core/c_gif_picture.h"

#include <algorithm>

#include "lumoui/core/control_factory.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr UINT kButtonsHeld = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

}  // namespace

CGifPicture::CGifPicture(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    SetRunTimer(1);
}

CGifPicture::~CGifPicture() {
    // Before the members a tick reads go away.
    if (manager_ != nullptr) {
        manager_->DeleteTalTimer(this);
    }
}

int CGifPicture::SetImage(const wchar_t* path, int) {
    if (MControlFont::SetImage(path, 4) == 0) {
        return 0;
    }
    frameCount_ = image_->GetFrameCount();
    frame_ = 0;
    ticks_ = 0;
    return 1;
}

void CGifPicture::DrawControl(HDC& dc, CRect) {
    if (!GetUpdate() && BeginMemDC(dc) && image_ != nullptr) {
        // The frame is drawn from the shared image without selecting it there, so pictures
        // sharing one image each show their own frame.
        Graphics(MemDC()).DrawImage(image_->GetFrame(frame_),
                                    CRect(0, 0, rect_.Width(), rect_.Height()));
    }
    CopyMemDC(dc);
}

int CGifPicture::OnControlTimer() {
    if (!running_ || !visible_ || frameCount_ <= 1) {
        return 0;
    }
    if (++ticks_ < kTicksPerFrame) {
        return 0;
    }
    ticks_ = 0;
    ActiveNextFrame();
    return 1;
}

int CGifPicture::OnControlMouseMove(UINT flags, CPoint pt) {
    if (!playOnHover_ || !enabled_ || (flags & kButtonsHeld) != 0 || frameCount_ <= 1) {
        return 0;
    }
    running_ = rect_.PtInRect(pt) ? 1 : 0;
    ShowFrame(0);
    return 0;
}

int CGifPicture::SetRunState(int run, int frame) {
    if (frameCount_ <= 1) {
        return 0;
    }
    running_ = run != 0 ? 1 : 0;
    ticks_ = 0;
    SelectActiveFrame(frame);
    return 1;
}

void CGifPicture::ActiveNextFrame() {
    const int count = frameCount_;
    if (count > 0) {
        ShowFrame((frame_ + 1) % count);
    }
}

void CGifPicture::SelectActiveFrame(int frame) {
    const int count = frameCount_;
    if (count > 0) {
        ShowFrame(std::clamp(frame, 0, count - 1));
    }
}

void CGifPicture::ShowFrame(int frame) {
    if (frame_.exchange(frame) != frame) {
        UpdateControl(1, 0);
    }
}

LUMOUI_REGISTER_CONTROL(CGifPicture)

}  // namespace LumoUI
