#include "presets/preset_system_effect.h"

#include "presets/factory_programs.h"
#include "presets/preset_system_editor.h"

#include <cstring>

namespace orv {
namespace {

bool isProgramIndex(int32_t index) noexcept { return index >= 0 && index < kNumPrograms; }

}  // namespace

CPresetSystemEffect::CPresetSystemEffect(vst::HostCallback host) : AudioEffectX(host, 1, kNumParams) {
    programsAreChunks(true);
    installFactoryPresets();
}

void CPresetSystemEffect::setParameter(int32_t index, float value) {
    if (index < 0 || index >= kNumParams) return;
    store_[getCurrentProgramIndex()].values[index].store(value, std::memory_order_relaxed);
}

float CPresetSystemEffect::getParameter(int32_t index) {
    if (index >= kNumParams) return -1.0f;
    if (index < 0) return 0.0f;
    return store_[getCurrentProgramIndex()].values[index].load(std::memory_order_relaxed);
}

int32_t CPresetSystemEffect::getProgram() { return 0; }

void CPresetSystemEffect::setProgram(int32_t) {}

void CPresetSystemEffect::setProgramName(char* name) {
    char text[kProgramNameSize + 1] = {};
    std::memcpy(text, name, strnlen(name, kProgramNameSize));
    setRecordName(store_[getCurrentProgramIndex()].name, text);
    if (presetEditor_) presetEditor_->showProgramName(text);
}

void CPresetSystemEffect::getProgramName(char* name) {
    std::memcpy(name, store_[getCurrentProgramIndex()].name, kProgramNameSize);
    name[kProgramNameSize] = '\0';
}

bool CPresetSystemEffect::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (!isProgramIndex(index)) return false;
    std::memcpy(text, store_[index].name, kProgramNameSize);
    text[kProgramNameSize] = '\0';
    return true;
}

int32_t CPresetSystemEffect::getChunk(void** data, bool) {
    encodeBankChunk(bank(), getPresetId(), getCurrentProgramIndex(), chunk_);
    *data = chunk_.data();
    return static_cast<int32_t>(chunk_.size());
}

int32_t CPresetSystemEffect::setChunk(void* data, int32_t byteSize, bool) {
    if (!data || byteSize < 0) return -1;
    const DecodedChunk decoded =
        decodeBankChunk({static_cast<const uint8_t*>(data), static_cast<size_t>(byteSize)}, getPresetId());
    switch (decoded.status) {
    case ChunkStatus::Rejected: return -1;
    case ChunkStatus::Ignored: return 0;
    case ChunkStatus::Loaded: break;
    }
    storeBank(decoded.programs);
    if (isProgramIndex(decoded.current)) selectProgram(decoded.current);
    return 0;
}

void CPresetSystemEffect::selectProgram(int32_t index) {
    if (!isProgramIndex(index)) return;
    applying_.store(true, std::memory_order_relaxed);
    curProgram = 0;
    current_.store(index, std::memory_order_relaxed);
    for (int32_t i = 0; i < kNumParams; ++i) {
        setParameter(i, store_[index].values[i].load(std::memory_order_relaxed));
    }
    updateDisplay();
    applying_.store(false, std::memory_order_relaxed);
}

void CPresetSystemEffect::setCurrentProgramName(const char* text) {
    curProgram = 0;
    if (text) setRecordName(store_[getCurrentProgramIndex()].name, text);
    updateDisplay();
}

void CPresetSystemEffect::restoreEditorPresetState() {
    if (presetEditor_) presetEditor_->restorePresetState();
}

void CPresetSystemEffect::installFactoryPresets() noexcept {
    for (int32_t k = 0; k < kNumPrograms; ++k) {
        setRecordName(store_[k].name, kFactoryPrograms[k].name);
        for (int32_t i = 0; i < kNumParams; ++i) {
            store_[k].values[i].store(kFactoryPrograms[k].values[i], std::memory_order_relaxed);
        }
    }
}

ProgramRecord CPresetSystemEffect::program(int32_t index) const noexcept {
    ProgramRecord record{};
    if (!isProgramIndex(index)) return record;
    std::memcpy(record.name, store_[index].name, kProgramNameSize);
    for (int32_t i = 0; i < kNumParams; ++i) record.values[i] = store_[index].values[i].load(std::memory_order_relaxed);
    return record;
}

void CPresetSystemEffect::storeProgram(int32_t index, const ProgramRecord& record) noexcept {
    if (!isProgramIndex(index)) return;
    std::memcpy(store_[index].name, record.name, kProgramNameSize);
    for (int32_t i = 0; i < kNumParams; ++i) store_[index].values[i].store(record.values[i], std::memory_order_relaxed);
}

ProgramBank CPresetSystemEffect::bank() const noexcept {
    ProgramBank programs;
    for (int32_t k = 0; k < kNumPrograms; ++k) programs[k] = program(k);
    return programs;
}

void CPresetSystemEffect::storeBank(const ProgramBank& programs) noexcept {
    for (int32_t k = 0; k < kNumPrograms; ++k) storeProgram(k, programs[k]);
}

void CPresetSystemEffect::attachEditor(CPresetSystemEditor* presetEditor) noexcept {
    presetEditor_ = presetEditor;
    setEditor(presetEditor);
}

}  // namespace orv
