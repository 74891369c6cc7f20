// An animated picture: the frames of an image (a GIF's frames in time) stretched over the
// control, advancing one frame every fifth animation tick while it runs. It takes its image
// from the window's image cache and must be registered for ticks (AddMTimer) to animate.
#pragma once

#include <atomic>

#include "lumoui/core/m_control_font.h"

namespace LumoUI {

class LUMOUI_API CGifPicture : public MControlFont {
public:
    // Ticks per frame: with the 10 ms animation timer a frame lasts 50 ms, whatever delays
    // the file gives.
    static constexpr int kTicksPerFrame = 5;

    CGifPicture(MObject* parent, UINT id, CRect rect, int visible, int enabled);
    ~CGifPicture() override;

    void DrawControl(HDC& dc, CRect clip) override;
    // Advances the frame every fifth tick while running and visible; 1 when it changed.
    int OnControlTimer() override;
    // With play-on-hover: inside the control the animation runs from frame 0, outside it
    // stops at frame 0.
    int OnControlMouseMove(UINT flags, CPoint pt) override;
    // The image at `path` (the count is not used: the frames are the image's own).
    int SetImage(const wchar_t* path, int count) override;
    using MControlFont::SetImage;

    // Runs or stops the animation at `frame`; 0 (and nothing changed) unless the image has
    // more than one frame.
    int SetRunState(int run, int frame);
    void SetMouseMoveActive(bool on) { playOnHover_ = on; }
    bool IsAnimate() const { return running_ != 0; }
    int GetFrameCount() const { return frameCount_; }
    int GetActiveFrame() const { return frame_; }
    // The next frame (wrapping to the first), repainted.
    void ActiveNextFrame();
    // Shows `frame` (clamped to the frames there are), repainted.
    void SelectActiveFrame(int frame);

private:
    // Sets the frame and asks for a repaint when it changed.
    void ShowFrame(int frame);

    std::atomic<int> frameCount_{0};
    std::atomic<int> frame_{0};
    std::atomic<int> running_{0};
    std::atomic<int> ticks_{0};
    bool playOnHover_ = false;
};

}  // namespace LumoUI
