// Bitmap buttons: a toggle, a momentary button and a three-position rocker. Each draws one
// frame of a vertically stacked bitmap whose frames are as high as the control.
#pragma once

#include "toolkit/control.h"

namespace orv {

// Toggles between min (frame 0) and max (frame 1) on a left click.
class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, std::shared_ptr<CBitmap> bitmap);

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
};

// Holds max (frame 1) while the left button is down over it, min (frame 0) otherwise. The
// listener hears every change: max on press, min on release or when the pointer leaves.
// Return presses it from the keyboard while it has the focus.
class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, std::shared_ptr<CBitmap> bitmap,
                const CPoint& offset = {});

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(const VstKeyCode& key) override;
    int32_t onKeyUp(const VstKeyCode& key) override;
    bool wantsFocus() const override { return true; }

    // Source x of the frames in the bitmap.
    CPoint getOffset() const noexcept { return offset; }

private:
    void press(bool down);

    CPoint offset;
};

// Rests at 0 between min -1 and max +1; pressing one half moves it there until release.
// Frames: 0 at -1 (left or bottom half), 1 at rest, 2 at +1 (right or top half).
class CRockerSwitch : public CControl {
public:
    CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag, std::shared_ptr<CBitmap> bitmap,
                  const CPoint& offset = {}, int32_t style = kHorizontal);

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;

    int32_t getStyle() const noexcept { return style; }
    CPoint getOffset() const noexcept { return offset; }

protected:
    // -1 or +1 for the half of the switch that holds where.
    float sideAt(const CPoint& where) const;

private:
    CPoint offset;
    int32_t style;
};

}  // namespace orv
