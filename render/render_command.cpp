#include "render/render_command.h"

#include "render/atomic_file.h"
#include "render/demo_material.h"
#include "render/offline_render.h"
#include "render/plot.h"
#include "render/plugin_session.h"
#include "render/progress.h"
#include "render/render_error.h"
#include "render/report.h"
#include "render/settings.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace orv::render {
namespace {

namespace fs = std::filesystem;

constexpr int kMinimumRate = 5000;
constexpr int kMaximumRate = 200000;
constexpr int kListingRate = 44100;
constexpr int kDemoRate = 44100;
constexpr double kDemoSeconds = 20.0;
constexpr const char* kDemoProgram = "CD Master 1";

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// What one run reads and writes, resolved before anything is written.
struct Job {
    std::string inputName;
    AudioData input;
    std::string outputName;
    OutputFormat format;
    std::optional<std::string> plot;
    std::optional<std::string> demoInput;  // the demo also keeps its generated input
    std::optional<std::string> program;
};

void checkInput(const AudioData& audio, const std::string& name) {
    if (audio.channels > 2)
        throw RenderError(name + ": " + std::to_string(audio.channels) + " channels; only mono and stereo files can be rendered");
    if (audio.rate < kMinimumRate || audio.rate > kMaximumRate)
        throw RenderError(name + ": sample rate " + std::to_string(audio.rate) + " Hz is outside 5000..200000 Hz");
}

std::string besideOutput(const std::string& output, const char* name) {
    const fs::path folder = fs::path(output).parent_path();
    return (folder / name).string();
}

Job prepareDemo(const Options& options) {
    Job job;
    job.outputName = options.output.empty() ? "demo-out.wav" : options.output;
    job.demoInput = besideOutput(job.outputName, "demo-in.wav");
    job.inputName = *job.demoInput;
    job.plot = options.plot.value_or(besideOutput(job.outputName, "demo-plot.png"));
    job.program = options.program.value_or(kDemoProgram);
    job.input = generateDemoMaterial(kDemoRate, kDemoSeconds);
    roundToStoredValues(chooseOutputFormat(*job.demoInput, std::nullopt, job.input.sourceFormat, job.input.rate, 2),
                        job.input.samples);
    job.format = chooseOutputFormat(job.outputName, options.format, job.input.sourceFormat, job.input.rate, 2);
    if (sameFile(*job.demoInput, job.outputName)) throw RenderError(job.outputName + ": the demo writes its input there");
    return job;
}

Job prepareFiles(const Options& options) {
    Job job;
    job.inputName = options.input;
    job.outputName = options.output;
    job.plot = options.plot;
    job.program = options.program;
    if (sameFile(options.input, options.output)) throw RenderError(options.output + ": OUT is the same file as IN");
    job.input = readAudio(options.input);
    checkInput(job.input, options.input);
    job.format = chooseOutputFormat(options.output, options.format, job.input.sourceFormat, job.input.rate,
                                    job.input.channels);
    return job;
}

// Settings in a fixed order: whole chunk, bank, program, preset into it, single parameters.
void applySettings(const PluginSession& session, const Options& options, const std::optional<std::string>& program) {
    if (options.chunkIn) applyChunkFile(session, *options.chunkIn);
    if (options.bank) applyBankFile(session, *options.bank);
    if (program) selectProgram(session, *program);
    if (options.preset) applyPresetFile(session, *options.preset);
    for (const std::string& setting : options.settings) applySetting(session, setting);
}

void printListings(const PluginSession& session, const Options& options) {
    if (options.listPrograms)
        for (int32_t i = 0; i < 24; ++i) std::printf("%2d  %s\n", i, session.programName(i).c_str());
    if (options.listParams)
        for (int32_t i = 0; i < session.numParameters(); ++i)
            std::printf("%2d  %-14s %-12s %s\n", i, session.parameterName(i).c_str(),
                        session.parameterDisplay(i).c_str(), session.parameterLabel(i).c_str());
}

// The report, plot and chunk files may replace neither the input nor the output.
void checkSideTargets(const Options& options, const Job& job) {
    const std::optional<std::string>* targets[] = {&options.json, &job.plot, &options.chunkOut};
    for (const std::optional<std::string>* target : targets) {
        if (!*target) continue;
        if (sameFile(**target, job.inputName)) throw RenderError(**target + ": the same file as IN");
        if (sameFile(**target, job.outputName)) throw RenderError(**target + ": the same file as OUT");
    }
}

void writeText(const AtomicFile& file, const std::string& text) {
    file.write({reinterpret_cast<const unsigned char*>(text.data()), text.size()});
}

int listOnly(const Options& options) {
    const PluginSession session(options.plugin.empty() ? defaultModulePath() : options.plugin, kListingRate,
                                kRenderBlockFrames, options.userSettings);
    std::unique_ptr<AtomicFile> chunkFile;
    if (options.chunkOut) chunkFile = std::make_unique<AtomicFile>(*options.chunkOut);
    applySettings(session, options, options.program);
    printListings(session, options);
    if (chunkFile) {
        chunkFile->write(session.chunk());
        chunkFile->commit();
    }
    return 0;
}

}  // namespace

void installInterruptHandlers() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

int runCommand(const Options& options) {
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (!options.demo && options.input.empty()) return listOnly(options);

    Job job = options.demo ? prepareDemo(options) : prepareFiles(options);
    checkSideTargets(options, job);

    // Every target gets its temporary file now, so an unwritable one stops the run before work.
    AtomicFile output(job.outputName);
    std::unique_ptr<AtomicFile> demoInput, json, plot, chunkOut;
    if (job.demoInput) demoInput = std::make_unique<AtomicFile>(*job.demoInput);
    if (options.json) json = std::make_unique<AtomicFile>(*options.json);
    if (job.plot) plot = std::make_unique<AtomicFile>(*job.plot);
    if (options.chunkOut) chunkOut = std::make_unique<AtomicFile>(*options.chunkOut);

    const PluginSession session(options.plugin.empty() ? defaultModulePath() : options.plugin, job.input.rate,
                                kRenderBlockFrames, options.userSettings);
    applySettings(session, options, job.program);
    printListings(session, options);
    if (chunkOut) chunkOut->write(session.chunk());

    RenderResult result;
    {
        ProgressBar progress;
        result = renderThrough(session, job.input, options.useDouble, [&progress](double fraction) {
            if (interrupted) throw RenderError("interrupted; nothing written");
            progress.update(fraction);
        });
    }
    roundToStoredValues(job.format, result.samples);
    writeAudio(output.temporaryPath(), job.format, job.input.rate, job.input.channels, result.samples);
    if (demoInput)
        writeAudio(demoInput->temporaryPath(),
                   chooseOutputFormat(*job.demoInput, std::nullopt, job.input.sourceFormat, job.input.rate, 2),
                   job.input.rate, job.input.channels, job.input.samples);

    Report report;
    report.input = job.inputName;
    report.output = job.outputName;
    report.rate = job.input.rate;
    report.channels = job.input.channels;
    report.frames = job.input.frames;
    report.latency = session.latency();
    report.in = measureLoudness(job.input.samples, job.input.channels, job.input.rate);
    report.out = measureLoudness(result.samples, job.input.channels, job.input.rate);
    report.gainReduction = summariseGain(result.gain);
    report.fullScaleSamples = countFullScale(result.samples, fullScaleMagnitude(job.format));
    if (json) writeText(*json, reportJson(report));
    if (plot)
        drawPlot(plot->temporaryPath(),
                 {&job.input.samples, &result.samples, &result.gain, job.input.channels, job.input.rate});

    if (interrupted) throw RenderError("interrupted; nothing written");
    for (AtomicFile* file : {demoInput.get(), &output, json.get(), plot.get(), chunkOut.get()})
        if (file) file->commit();
    std::fputs(reportText(report).c_str(), stdout);
    if (job.plot) std::printf("  plot                 %s\n", job.plot->c_str());
    return 0;
}

}  // namespace orv::render
