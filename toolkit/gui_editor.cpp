#include "toolkit/gui_editor.h"

namespace orv {

AEffGUIEditor::AEffGUIEditor(HostIdle idleCall, PlatformFactory factory)
    : hostIdle(std::move(idleCall)), platformFactory(std::move(factory)) {}

AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(vst::ERect** out) {
    if (out == nullptr) return false;
    *out = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
    systemWindow = parentWindow;
    return true;
}

void AEffGUIEditor::close() {
    frame.reset();
    systemWindow = nullptr;
}

void AEffGUIEditor::idle() {
    if (inIdle) return;
    inIdle = true;
    if (frame) {
        frame->getPlatform().pump();
        frame->idle();
        frame->getPlatform().flush();
    }
    if (hostIdle) hostIdle();
    inIdle = false;
}

VstKeyCode AEffGUIEditor::keyCode(int32_t character, intptr_t virtualKey, int32_t modifiers) noexcept {
    return {character, static_cast<uint8_t>(virtualKey & 0xFF), static_cast<uint8_t>(modifiers & 0xFF)};
}

bool AEffGUIEditor::onKeyDown(int32_t character, intptr_t virtualKey, int32_t modifiers) {
    return frame && frame->onKeyDown(keyCode(character, virtualKey, modifiers)) == 1;
}

bool AEffGUIEditor::onKeyUp(int32_t character, intptr_t virtualKey, int32_t modifiers) {
    return frame && frame->onKeyUp(keyCode(character, virtualKey, modifiers)) == 1;
}

void AEffGUIEditor::setRect(const CRect& size) noexcept {
    rect.left = static_cast<int16_t>(size.left);
    rect.top = static_cast<int16_t>(size.top);
    rect.right = static_cast<int16_t>(size.right);
    rect.bottom = static_cast<int16_t>(size.bottom);
}

std::unique_ptr<IPlatformFrame> AEffGUIEditor::createPlatform(const CRect& size) const {
    return platformFactory ? platformFactory(systemWindow, size) : nullptr;
}

}  // namespace orv
