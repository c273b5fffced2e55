// The host adapter: turns the host's calls through the effect record into virtual operations of
// one object per instance. Named and shaped after the VST 2.4 interface.
#pragma once

#include "shell/vst2.h"

#include <cstdint>

namespace orv {

// What the adapter needs of an editor object; the window itself lives behind it.
class AEffEditor {
public:
    virtual ~AEffEditor() = default;
    // UI thread. Points *rect at the editor's fixed rectangle.
    virtual bool getRect(vst::ERect** rect) = 0;
    virtual bool open(void* parentWindow) = 0;
    virtual void close() = 0;
    virtual void idle() = 0;
    // Keys from the host; true when the editor used the key.
    virtual bool onKeyDown(int32_t character, intptr_t virtualKey, int32_t modifiers) = 0;
    virtual bool onKeyUp(int32_t character, intptr_t virtualKey, int32_t modifiers) = 0;
};

class AudioEffect {
public:
    AudioEffect(vst::HostCallback host, int32_t numPrograms, int32_t numParams);
    // Destroys the editor object last, after every derived part is gone.
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    vst::AEffect* getAeffect() noexcept { return &cEffect; }

    // UI thread. One row per opcode; unknown opcodes return 0 and change nothing.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    // Any thread, also concurrently with processing.
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);

    // Audio thread.
    virtual void processReplacing(float** inputs, float** outputs, int32_t frames);
    virtual void processDoubleReplacing(double** inputs, double** outputs, int32_t frames);

    // UI thread.
    virtual void setProgram(int32_t program);
    virtual int32_t getProgram();
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32_t index, char* text);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(int32_t size);
    virtual void suspend();
    virtual void resume();

    // Stores the editor object (owned from now on) and announces it with effFlagsHasEditor.
    void setEditor(AEffEditor* editor) noexcept;
    AEffEditor* getEditor() const noexcept { return editor; }

    // The user changed a value in the editor: set it here, then tell the host.
    void setParameterAutomated(int32_t index, float value);

    float getSampleRate() const noexcept { return sampleRate; }
    int32_t getBlockSize() const noexcept { return blockSize; }

protected:
    // Sends a request to the host; 0 when there is no callback.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;

    void setUniqueID(int32_t id) noexcept { cEffect.uniqueID = id; }
    void setNumInputs(int32_t n) noexcept { cEffect.numInputs = n; }
    void setNumOutputs(int32_t n) noexcept { cEffect.numOutputs = n; }
    void setInitialDelay(int32_t samples) noexcept { cEffect.initialDelay = samples; }
    void canProcessReplacing(bool on) noexcept { setFlag(vst::effFlagsCanReplacing, on); }
    void canDoubleReplacing(bool on) noexcept { setFlag(vst::effFlagsCanDoubleReplacing, on); }
    void programsAreChunks(bool on) noexcept { setFlag(vst::effFlagsProgramChunks, on); }

    vst::HostCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    int32_t blockSize = 1024;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram = 0;
    vst::AEffect cEffect{};

private:
    void setFlag(int32_t flag, bool on) noexcept;
};

// The 2.x extensions of the adapter that this plug-in answers.
class AudioEffectX : public AudioEffect {
public:
    using AudioEffect::AudioEffect;

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text);
    virtual bool getParameterProperties(int32_t index, vst::VstParameterProperties* properties);
    virtual bool getEffectName(char* name);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual int32_t getPlugCategory();
    virtual void setEditKnobMode(int32_t mode);

    // Host requests sent on behalf of the editor's gestures and program changes.
    bool beginEdit(int32_t index);
    bool endEdit(int32_t index);
    bool updateDisplay();

    // Audio thread: the pin counts as connected when the host answers 0 or there is no host.
    bool isInputConnected(int32_t pin) const;
    bool isOutputConnected(int32_t pin) const;
};

// Copies at most `capacity - 1` characters and always terminates.
void copyString(char* destination, const char* source, int capacity) noexcept;

}  // namespace orv
