#include "render/plugin_session.h"

#include "render/render_error.h"
#include "shell/vendor_requests.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace orv::render {
namespace {

namespace fs = std::filesystem;
constexpr const char* kConfigVariable = "XDG_CONFIG_HOME";

}  // namespace

PrivateSettingsFolder::PrivateSettingsFolder() {
    std::string pattern = (fs::temp_directory_path() / "orvbrivo-render-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw RenderError("cannot create a private settings folder");
    folder_ = buffer.data();
    if (const char* previous = std::getenv(kConfigVariable)) previous_ = previous;
    setenv(kConfigVariable, folder_.c_str(), 1);
}

PrivateSettingsFolder::~PrivateSettingsFolder() {
    if (previous_) setenv(kConfigVariable, previous_->c_str(), 1);
    else unsetenv(kConfigVariable);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

PluginSession::PluginSession(const std::string& modulePath, double sampleRate, int32_t blockSize,
                             bool userSettings)
    : blockSize_(blockSize) {
    if (!userSettings) settings_ = std::make_unique<PrivateSettingsFolder>();
    module_ = std::make_unique<host::PluginModule>(modulePath);
    if (!module_->loaded()) throw RenderError("cannot load the plug-in: " + module_->error());
    plugin_ = host::HostedPlugin::create(*module_);
    if (!plugin_) throw RenderError(modulePath + ": the plug-in created no instance");
    // The noise-shaping sets depend on the rate: it comes before any setting.
    plugin_->dispatch(vst::effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    plugin_->dispatch(vst::effSetBlockSize, 0, blockSize_);
}

PluginSession::~PluginSession() {
    plugin_.reset();  // effClose before the module goes and before the settings folder goes
    module_.reset();
}

std::vector<uint8_t> PluginSession::chunk() const {
    void* data = nullptr;
    const intptr_t size = plugin_->dispatch(vst::effGetChunk, 0, 0, &data);
    if (!data || size <= 0) throw RenderError("the plug-in gave no chunk");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return {bytes, bytes + size};
}

void PluginSession::setChunk(std::span<const uint8_t> bytes) const {
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    const intptr_t result =
        plugin_->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(copy.size()), copy.data());
    if (result != 0) throw RenderError("the plug-in refused the chunk");
}

int32_t PluginSession::presetId() const { return plugin_->effect()->uniqueID; }

std::string PluginSession::programName(int32_t index) const {
    return plugin_->text(vst::effGetProgramNameIndexed, index);
}

std::string PluginSession::parameterName(int32_t index) const { return plugin_->text(vst::effGetParamName, index); }
std::string PluginSession::parameterDisplay(int32_t index) const {
    return plugin_->text(vst::effGetParamDisplay, index);
}
std::string PluginSession::parameterLabel(int32_t index) const { return plugin_->text(vst::effGetParamLabel, index); }
float PluginSession::parameter(int32_t index) const { return plugin_->getParameter(index); }
void PluginSession::setParameter(int32_t index, float value) const { plugin_->setParameter(index, value); }
int32_t PluginSession::numParameters() const { return plugin_->effect()->numParams; }

int32_t PluginSession::latency() const { return plugin_->effect()->initialDelay; }

std::optional<MeterSnapshot> PluginSession::meterSnapshot() const {
    MeterSnapshot snapshot{};
    if (plugin_->dispatch(vst::effVendorSpecific, kMeterSnapshotRequest, 0, &snapshot) != 1) return std::nullopt;
    return snapshot;
}

void PluginSession::start() const {
    plugin_->dispatch(vst::effMainsChanged, 0, 1);
    plugin_->dispatch(vst::effStartProcess);
}

void PluginSession::stop() const {
    plugin_->dispatch(vst::effStopProcess);
    plugin_->dispatch(vst::effMainsChanged, 0, 0);
}

void PluginSession::process(float** inputs, float** outputs, int32_t frames) const {
    plugin_->process(inputs, outputs, frames);
}

void PluginSession::process(double** inputs, double** outputs, int32_t frames) const {
    plugin_->process(inputs, outputs, frames);
}

// The build folder keeps the module beside the program; an installed renderer finds it where
// `make install` put it (PREFIX/lib/vst, or the user's ~/.vst).
std::string defaultModulePath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    std::vector<fs::path> candidates;
    if (!ec) {
        candidates.push_back(self.parent_path() / "orvbrivo.so");
        candidates.push_back(self.parent_path().parent_path() / "lib" / "vst" / "orvbrivo.so");
    }
    if (const char* home = std::getenv("HOME")) candidates.push_back(fs::path(home) / ".vst" / "orvbrivo.so");
    for (const fs::path& candidate : candidates)
        if (fs::exists(candidate, ec)) return candidate.string();
    return candidates.empty() ? std::string("orvbrivo.so") : candidates.front().string();
}

}  // namespace orv::render
