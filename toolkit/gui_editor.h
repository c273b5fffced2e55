// The adapter between the host's editor opcodes and a frame: rectangle, open, close, idle,
// keys. The derived editor creates the frame and its controls in open.
#pragma once

#include "shell/audio_effect.h"
#include "toolkit/frame.h"

#include <functional>
#include <memory>

namespace orv {

class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface {
public:
    // Sends audioMasterIdle to the host.
    using HostIdle = std::function<void()>;
    // Makes the window system side of a frame of size inside the host's parent window.
    using PlatformFactory = std::function<std::unique_ptr<IPlatformFrame>(void* parentWindow, const CRect& size)>;

    AEffGUIEditor(HostIdle hostIdle, PlatformFactory platformFactory);
    ~AEffGUIEditor() override;

    // UI thread. Answers before and after open.
    bool getRect(vst::ERect** rect) override;
    // UI thread. Records the parent window; overrides build the frame, then call this.
    bool open(void* parentWindow) override;
    // UI thread. Releases the frame and every view in it.
    void close() override;
    // UI thread. The window's events and timers run, the frame redraws its dirty views, then
    // the host gets its idle call. Calls that arrive while an idle is running (through the
    // host or a timer) return at once.
    void idle() override;
    // UI thread. Keys from the host to the frame; true when a view used the key.
    bool onKeyDown(int32_t character, intptr_t virtualKey, int32_t modifiers) override;
    bool onKeyUp(int32_t character, intptr_t virtualKey, int32_t modifiers) override;

    CFrame* getFrame() const noexcept { return frame.get(); }
    void* getSystemWindow() const noexcept { return systemWindow; }

protected:
    // The editor's window size, as getRect reports it.
    void setRect(const CRect& size) noexcept;
    // The platform for a frame of size over the recorded parent window.
    std::unique_ptr<IPlatformFrame> createPlatform(const CRect& size) const;

    vst::ERect rect{};
    std::unique_ptr<CFrame> frame;

private:
    static VstKeyCode keyCode(int32_t character, intptr_t virtualKey, int32_t modifiers) noexcept;

    HostIdle hostIdle;
    PlatformFactory platformFactory;
    void* systemWindow = nullptr;
    bool inIdle = false;
};

}  // namespace orv
