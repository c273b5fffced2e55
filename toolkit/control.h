// A view with a value: range, default, tag, a listener told of user changes, and counted edits.
#pragma once

#include "toolkit/view.h"

#include <atomic>
#include <cstdint>

namespace orv {

class CControl;

// Receives the changes the user makes; called on the UI thread.
class CControlListener {
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
};

// Style bits shared by the controls that draw text or frames.
enum CControlStyle : int32_t {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kNoFrame = 1 << 9,
    kNoTextStyle = 1 << 10,
    kNoDrawStyle = 1 << 11,
    kTransparentStyle = 1 << 12,
};

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             std::shared_ptr<CBitmap> background = nullptr);
    ~CControl() override;

    // Any thread (also the host's audio or automation thread): stores value limited to
    // min..max and marks the control dirty when it changed. Never draws, locks or allocates.
    virtual void setValue(float value) noexcept;
    float getValue() const noexcept { return currentValue.load(std::memory_order_relaxed); }
    // The value mapped from min..max to 0..1.
    float getValueNormalized() const noexcept;

    // UI thread, before the control is shared with other threads.
    void setMin(float v) noexcept { minimum = v; }
    void setMax(float v) noexcept { maximum = v; }
    float getMin() const noexcept { return minimum; }
    float getMax() const noexcept { return maximum; }
    float getRange() const noexcept { return maximum - minimum; }
    void setDefaultValue(float v) noexcept { defaultValue = v; }
    float getDefaultValue() const noexcept { return defaultValue; }
    // Step of one keyboard press on knobs.
    void setWheelInc(float v) noexcept { wheelInc = v; }
    float getWheelInc() const noexcept { return wheelInc; }
    void setTag(int32_t t) noexcept { controlTag = t; }
    int32_t getTag() const noexcept { return controlTag; }
    void setListener(CControlListener* l) noexcept { listener = l; }
    CControlListener* getListener() const noexcept { return listener; }

    // UI thread: reports a user change to the listener (nothing without one).
    virtual void valueChanged();

    // UI thread: brackets a gesture. Nested calls are counted; the frame's editor hears only
    // the outermost pair, and an endEdit without a beginEdit is ignored.
    void beginEdit();
    void endEdit();
    bool isEditing() const noexcept { return editDepth > 0; }

protected:
    void removed() override;

private:

    CControlListener* listener;
    int32_t controlTag;
    std::atomic<float> currentValue{0.0f};
    float minimum = 0.0f;
    float maximum = 1.0f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    int32_t editDepth = 0;
};

}  // namespace orv
