// The plug-in's programs: a store of 24 records, the current program, the factory programs and
// the host chunk through which a project saves and restores them all.
//
// Threading. Host dispatcher calls, the editor and the loaders run on the host's user-interface
// thread. setParameter (and so the write into the current record) may come from any thread,
// including the audio and automation threads, while that thread reads the store. This stays safe
// without a lock because:
//   - every stored value is a relaxed std::atomic<float>: a reader sees each value whole, either
//     before or after a concurrent write, never a torn float; an image taken during automation may
//     mix older and newer values of different indices, as any snapshot of a moving program would;
//   - the current index and applyingProgram are relaxed atomics as well;
//   - names have a single writer, the user-interface thread, and only that thread reads them.
// No operation here allocates, locks or does I/O on behalf of setParameter.
#pragma once

#include "presets/program_images.h"
#include "presets/program_record.h"
#include "shell/audio_effect.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace orv {

class CPresetSystemEditor;

class CPresetSystemEffect : public AudioEffectX {
public:
    // One host-visible program, 26 parameters, program chunks, the factory programs installed.
    explicit CPresetSystemEffect(vst::HostCallback host);

    // Any thread. Index 0..25: writes value into the current record; other indices are ignored.
    void setParameter(int32_t index, float value) override;
    // Any thread. The current record's value for 0..25, -1 above 25, 0 below 0.
    float getParameter(int32_t index) override;

    // UI thread. The host sees one program, always 0; setProgram changes nothing.
    int32_t getProgram() override;
    void setProgram(int32_t program) override;
    // UI thread. Renames the current program (24 characters at most) and shows it in the editor.
    void setProgramName(char* name) override;
    // UI thread. The current name, 24 bytes and a terminator (the buffer holds 25).
    void getProgramName(char* name) override;
    // UI thread. Points *data at the chunk of all programs and returns its size; isPreset ignored.
    int32_t getChunk(void** data, bool isPreset) override;
    // UI thread. Loads a chunk: 0 or -1 (see decodeBankChunk); a current index outside 0..23
    // replaces the records and applies nothing.
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;
    // UI thread. The name of program index 0..23 (category ignored); false otherwise.
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;

    // Any thread.
    int32_t getCurrentProgramIndex() const noexcept { return current_.load(std::memory_order_relaxed); }
    bool applyingProgram() const noexcept { return applying_.load(std::memory_order_relaxed); }
    int32_t getPresetId() const noexcept { return cEffect.uniqueID; }

    // UI thread. Makes index (0..23, others ignored) current and applies its 26 values through
    // setParameter without writing them back, then tells the host to update its display.
    void selectProgram(int32_t index);
    // UI thread. Renames the current program when text is not null; tells the host either way.
    void setCurrentProgramName(const char* text);
    // UI thread. The editor loads the default bank, default preset and file locations.
    void restoreEditorPresetState();
    // UI thread. Writes the factory programs into the store; applies nothing.
    void installFactoryPresets() noexcept;

    // UI thread. Copies of records and whole-store access for the loaders and image writers.
    ProgramRecord program(int32_t index) const noexcept;
    void storeProgram(int32_t index, const ProgramRecord& record) noexcept;
    ProgramBank bank() const noexcept;
    void storeBank(const ProgramBank& programs) noexcept;

    // Construction of the preset editor hands itself over: the adapter owns it from now on.
    void attachEditor(CPresetSystemEditor* presetEditor) noexcept;
    CPresetSystemEditor* presetEditor() const noexcept { return presetEditor_; }

private:
    struct ProgramSlot {
        char name[kProgramNameSize];
        std::atomic<float> values[kNumParams];
    };
    static_assert(std::atomic<float>::is_always_lock_free, "values are shared with the audio thread");

    std::array<ProgramSlot, kNumPrograms> store_{};
    std::atomic<int32_t> current_{0};
    std::array<uint8_t, kBankChunkSize> chunk_{};
    std::atomic<bool> applying_{false};
    CPresetSystemEditor* presetEditor_ = nullptr;
};

}  // namespace orv
