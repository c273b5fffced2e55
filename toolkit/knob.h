// Rotary controls: CKnob draws a handle over a background, CAnimKnob picks one frame of a
// bitmap strip. Dragging follows the process-wide knob mode that the host may set.
#pragma once

#include "toolkit/control.h"

namespace orv {

// How a drag turns a knob; the numbers are the host's.
enum KnobMode : int32_t {
    kCircularMode = 0,          // the value follows the pointer's angle around the centre
    kRelativCircularMode = 1,   // the angle the pointer travels is added to the value
    kLinearMode = 2,            // up or right increases, kKnobLinearRange pixels for the range
};

// Any thread; shared by every knob of the process.
void setKnobMode(int32_t mode) noexcept;
int32_t getKnobMode() noexcept;

// Pixels of linear travel for the whole range; Shift multiplies it by the zoom factor.
inline constexpr double kKnobLinearRange = 200.0;
inline constexpr double kKnobDefaultZoomFactor = 10.0;

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, int32_t tag, std::shared_ptr<CBitmap> background,
          const CPoint& offset = {});

    // Background, then a line from the centre at the value's angle.
    void draw(CDrawContext& context) override;
    // Left click with Control (and nothing else) sets the default value; any other left
    // press starts a gesture that lasts until the mouse-up.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    // distance x wheel increment (a tenth of it with Shift).
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;
    // Up and right step by the wheel increment, down and left back (a tenth with Shift).
    int32_t onKeyDown(const VstKeyCode& key) override;
    bool wantsFocus() const override { return true; }

    void setZoomFactor(double factor) noexcept { zoomFactor = factor; }
    double getZoomFactor() const noexcept { return zoomFactor; }
    void setHandleColor(CColor c) noexcept { handleColor = c; }
    CPoint getOffset() const noexcept { return offset; }

    // Angles in radians, counter-clockwise from the positive x axis with y pointing up: the
    // minimum sits at 225 degrees (lower left), the range runs 270 degrees clockwise.
    double angleForValue(float normalized) const noexcept;
    // The normalized value whose angle points at where; the gap below the knob snaps to
    // the nearer end.
    float valueForPoint(const CPoint& where) const noexcept;

protected:
    // Sets value (limited), redraws and reports when it changed.
    void changeValue(float value);

private:
    // Linear drag: pixels for the whole range with the buttons of this moment.
    double linearRange(const CButtonState& buttons) const noexcept;
    float stepBy(float normalizedStep);

    CPoint offset;
    double zoomFactor = kKnobDefaultZoomFactor;
    CColor handleColor = kWhiteCColor;
    // Drag state.
    int32_t dragMode = kLinearMode;
    CPoint firstPoint;
    CPoint lastPoint;
    float startValue = 0.0f;
    double valuePerPixel = 0.0;
    CButtonState dragButtons = 0;
};

// Shows frame floor((frames - 1) x normalized value) of a strip of frames of equal height.
class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, std::shared_ptr<CBitmap> bitmap, const CPoint& offset = {});

    void draw(CDrawContext& context) override;

    int32_t getNumSubPixmaps() const noexcept { return subPixmaps; }
    CCoord getHeightOfOneImage() const noexcept { return heightOfOneImage; }
    // The source y of the frame shown for a normalized value.
    CCoord frameOffsetFor(float normalized) const noexcept;

private:
    int32_t subPixmaps;
    CCoord heightOfOneImage;
};

}  // namespace orv
