#include "shell/audio_effect.h"

#include <cstring>

namespace orv {
namespace {

AudioEffect* effectOf(vst::AEffect* e) { return static_cast<AudioEffect*>(e->object); }

intptr_t dispatchEntry(vst::AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) {
    AudioEffect* effect = effectOf(e);
    const intptr_t result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == vst::effClose) {
        delete effect;
        return 1;
    }
    return result;
}

// The deprecated accumulating entry: outputs are left as the host gave them.
void processEntry(vst::AEffect*, float**, float**, int32_t) {}

void processReplacingEntry(vst::AEffect* e, float** inputs, float** outputs, int32_t frames) {
    effectOf(e)->processReplacing(inputs, outputs, frames);
}

void processDoubleEntry(vst::AEffect* e, double** inputs, double** outputs, int32_t frames) {
    effectOf(e)->processDoubleReplacing(inputs, outputs, frames);
}

void setParameterEntry(vst::AEffect* e, int32_t index, float value) {
    effectOf(e)->setParameter(index, value);
}

float getParameterEntry(vst::AEffect* e, int32_t index) { return effectOf(e)->getParameter(index); }

// The key opcodes carry the modifiers in the float argument; a host may put anything there, and a
// float outside the int range (or NaN) must not reach the conversion.
int32_t keyModifiers(float opt) noexcept {
    if (!(opt >= -2147483648.0f && opt < 2147483648.0f)) return 0;
    return static_cast<int32_t>(opt);
}

}  // namespace

void copyString(char* destination, const char* source, int capacity) noexcept {
    if (!destination || capacity <= 0) return;
    const size_t length = strnlen(source, static_cast<size_t>(capacity - 1));
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

AudioEffect::AudioEffect(vst::HostCallback host, int32_t programs, int32_t params)
    : audioMaster(host), numPrograms(programs), numParams(params) {
    cEffect.magic = vst::kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleEntry;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.version = 1;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setFlag(int32_t flag, bool on) noexcept {
    cEffect.flags = on ? (cEffect.flags | flag) : (cEffect.flags & ~flag);
}

void AudioEffect::setEditor(AEffEditor* newEditor) noexcept {
    editor = newEditor;
    setFlag(vst::effFlagsHasEditor, editor != nullptr);
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) const {
    if (!audioMaster) return 0;
    return audioMaster(const_cast<vst::AEffect*>(&cEffect), opcode, index, value, ptr, opt);
}

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(vst::audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    using namespace vst;
    switch (opcode) {
    case effClose: return 1;
    case effSetProgram: setProgram(static_cast<int32_t>(value)); return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: if (ptr) setProgramName(static_cast<char*>(ptr)); return 0;
    case effGetProgramName: if (ptr) getProgramName(static_cast<char*>(ptr)); return 0;
    case effGetParamLabel: if (ptr) getParameterLabel(index, static_cast<char*>(ptr)); return 0;
    case effGetParamDisplay: if (ptr) getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: if (ptr) getParameterName(index, static_cast<char*>(ptr)); return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<int32_t>(value)); return 0;
    case effMainsChanged:
        if (value == 0) suspend(); else resume();
        return 0;
    case effEditGetRect:
        if (!editor || !ptr) return 0;
        return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen: return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose: if (editor) editor->close(); return 0;
    case effEditIdle: if (editor) editor->idle(); return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk: return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        // A size beyond 32 bits must not wrap around into a valid one.
        if (value < 0 || value > INT32_MAX) return -1;
        return setChunk(ptr, static_cast<int32_t>(value), index != 0);
    default: return 0;
    }
}

void AudioEffect::setParameter(int32_t, float) {}
float AudioEffect::getParameter(int32_t) { return 0.0f; }
void AudioEffect::processReplacing(float**, float**, int32_t) {}
void AudioEffect::processDoubleReplacing(double**, double**, int32_t) {}
void AudioEffect::setProgram(int32_t) {}
int32_t AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char* name) { name[0] = '\0'; }
void AudioEffect::getParameterLabel(int32_t, char*) {}
void AudioEffect::getParameterDisplay(int32_t, char*) {}
void AudioEffect::getParameterName(int32_t, char*) {}
int32_t AudioEffect::getChunk(void**, bool) { return 0; }
int32_t AudioEffect::setChunk(void*, int32_t, bool) { return 0; }
void AudioEffect::setSampleRate(float rate) { sampleRate = rate; }
void AudioEffect::setBlockSize(int32_t size) { blockSize = size; }
void AudioEffect::suspend() {}
void AudioEffect::resume() {}

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    using namespace vst;
    switch (opcode) {
    case effCanBeAutomated: return 1;
    case effGetProgramNameIndexed:
        return ptr && getProgramNameIndexed(static_cast<int32_t>(value), index, static_cast<char*>(ptr)) ? 1 : 0;
    case effGetPlugCategory: return getPlugCategory();
    case effGetEffectName: return ptr && getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorString: return ptr && getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProductString: return ptr && getProductString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorVersion: return 0;
    case effCanDo: return 0;
    case effGetTailSize: return 0;
    case effGetParameterProperties:
        return ptr && getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effGetVstVersion: return kVstVersion;
    case effEditKeyDown:
        return editor && editor->onKeyDown(index, value, keyModifiers(opt)) ? 1 : 0;
    case effEditKeyUp:
        return editor && editor->onKeyUp(index, value, keyModifiers(opt)) ? 1 : 0;
    case effSetEditKnobMode: setEditKnobMode(static_cast<int32_t>(value)); return 1;
    case effGetCurrentMidiProgram: return -1;
    case effGetSpeakerArrangement:
        // value and ptr both carry a pointer to the host's arrangement pointer.
        if (value) *reinterpret_cast<void**>(value) = nullptr;
        if (ptr) *static_cast<void**>(ptr) = nullptr;
        return 0;
    case effSetTotalSampleToProcess: return value;
    default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

bool AudioEffectX::getProgramNameIndexed(int32_t, int32_t, char*) { return false; }
bool AudioEffectX::getParameterProperties(int32_t, vst::VstParameterProperties*) { return false; }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
int32_t AudioEffectX::getPlugCategory() { return vst::kPlugCategUnknown; }
void AudioEffectX::setEditKnobMode(int32_t) {}

bool AudioEffectX::beginEdit(int32_t index) { return callHost(vst::audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(int32_t index) { return callHost(vst::audioMasterEndEdit, index) != 0; }
bool AudioEffectX::updateDisplay() { return callHost(vst::audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::isInputConnected(int32_t pin) const {
    return callHost(vst::audioMasterPinConnected, pin, 0) == 0;
}

bool AudioEffectX::isOutputConnected(int32_t pin) const {
    return callHost(vst::audioMasterPinConnected, pin, 1) == 0;
}

}  // namespace orv
