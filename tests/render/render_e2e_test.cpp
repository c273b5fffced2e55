// The built renderer run as a user runs it, on small generated files; its results are checked
// with libsndfile and libebur128 directly.
#include "presets/program_images.h"
#include "shell/parameters.h"
#include "shell/vst2.h"

#include <ebur128.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

struct Sound {
    int rate = 0;
    int channels = 0;
    std::vector<int> samples;  // interleaved, left-justified 32-bit as libsndfile gives them
};

std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (const char c : argument) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RendererTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orv-render-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    Outcome render(const std::vector<std::string>& arguments) const {
        std::string command = quoted(ORV_RENDER_PATH) + " --plugin " + quoted(ORV_PLUGIN_PATH);
        for (const std::string& argument : arguments) {
            command += ' ';
            command += quoted(argument);
        }
        const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
        std::string line = "cd ";
        for (const std::string& part : {quoted(dir_.string()), std::string(" && "), command, std::string(" >"),
                                        quoted(out.string()), std::string(" 2>"), quoted(err.string()),
                                        std::string(" </dev/null")})
            line += part;
        const int raw = std::system(line.c_str());
        Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    // Writes a file from samples given at full scale 1.0.
    void writeSound(const std::string& name, int rate, int channels, const std::vector<double>& samples,
                    int format = SF_FORMAT_WAV | SF_FORMAT_PCM_24) const {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* file = sf_open(path(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        std::vector<int> words(samples.size());
        for (size_t i = 0; i < samples.size(); ++i)
            words[i] = static_cast<int>(std::clamp(std::nearbyint(samples[i] * 2147483648.0), -2147483648.0, 2147483647.0));
        sf_writef_int(file, words.data(), static_cast<sf_count_t>(samples.size()) / channels);
        sf_close(file);
    }

    Sound readSound(const std::string& name) const {
        SF_INFO info{};
        Sound sound;
        SNDFILE* file = sf_open(path(name).c_str(), SFM_READ, &info);
        if (!file) return sound;
        sound.rate = info.samplerate;
        sound.channels = info.channels;
        sound.samples.resize(static_cast<size_t>(info.frames * info.channels));
        sf_readf_int(file, sound.samples.data(), info.frames);
        sf_close(file);
        return sound;
    }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The display texts that --list-params prints after the given settings.
    std::map<std::string, std::string> displays(const std::vector<std::string>& settings) const {
        std::vector<std::string> arguments{"--list-params"};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const Outcome run = render(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        std::map<std::string, std::string> texts;
        std::istringstream lines(run.out);
        const auto trim = [](std::string text) {
            text.erase(text.find_last_not_of(' ') + 1);
            text.erase(0, text.find_first_not_of(' '));
            return text;
        };
        for (std::string line; std::getline(lines, line);)
            if (line.size() >= 31) texts[trim(line.substr(4, 14))] = trim(line.substr(19, 12));
        return texts;
    }

    fs::path dir_;
};

std::vector<double> impulse(int channels, int frames, int at, double level) {
    std::vector<double> samples(static_cast<size_t>(frames * channels), 0.0);
    for (int c = 0; c < channels; ++c) samples[static_cast<size_t>(at * channels + c)] = level;
    return samples;
}

// Deterministic noise on the 16-bit grid, including both full-scale codes.
std::vector<double> gridNoise(int channels, int frames) {
    std::vector<double> samples(static_cast<size_t>(frames * channels));
    uint32_t state = 12345;
    for (double& x : samples) {
        state = state * 1664525u + 1013904223u;
        x = static_cast<double>(static_cast<int16_t>(state >> 16)) / 32768.0 * 0.5;
    }
    samples[10] = 32767.0 / 32768.0;
    samples[11] = -1.0;
    return samples;
}

size_t loudestFrame(const Sound& sound, int channel) {
    size_t best = 0;
    for (size_t frame = 0; frame * sound.channels < sound.samples.size(); ++frame)
        if (std::abs(static_cast<double>(sound.samples[frame * sound.channels + channel])) >
            std::abs(static_cast<double>(sound.samples[best * sound.channels + channel])))
            best = frame;
    return best;
}

double jsonField(const std::string& json, const std::string& section, const std::string& field) {
    const size_t start = json.find("\"" + section + "\"");
    if (start == std::string::npos) return NAN;
    const size_t at = json.find("\"" + field + "\": ", start);
    if (at == std::string::npos) return NAN;
    return std::strtod(json.c_str() + at + field.size() + 4, nullptr);
}

// --- alignment and length --------------------------------------------------------------------

struct AlignmentCase {
    int rate;
    int channels;
    const char* entry;  // "" or "--double"
};

class RenderAlignment : public RendererTest, public testing::WithParamInterface<AlignmentCase> {};

TEST_P(RenderAlignment, AnImpulseBelowThresholdStaysAtItsSampleAndTheLengthIsKept) {
    const auto [rate, channels, entry] = GetParam();
    constexpr int kFrames = 3000;
    constexpr int kAt = 1234;
    writeSound("in.wav", rate, channels, impulse(channels, kFrames, kAt, 0.1));
    std::vector<std::string> arguments{"in.wav", "out.wav", "--set", "Quantize=off"};
    if (*entry) arguments.emplace_back(entry);
    const Outcome run = render(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    const Sound out = readSound("out.wav");
    EXPECT_EQ(out.rate, rate);
    ASSERT_EQ(out.channels, channels);
    ASSERT_EQ(out.samples.size(), static_cast<size_t>(kFrames * channels));
    for (int c = 0; c < channels; ++c) EXPECT_EQ(loudestFrame(out, c), static_cast<size_t>(kAt)) << "channel " << c;
}

INSTANTIATE_TEST_SUITE_P(Rates, RenderAlignment,
                         testing::Values(AlignmentCase{44100, 2, ""}, AlignmentCase{96000, 2, ""},
                                         AlignmentCase{192000, 2, ""}, AlignmentCase{44100, 2, "--double"},
                                         AlignmentCase{44100, 1, ""}, AlignmentCase{192000, 1, "--double"}));

// --- Power off is the identity ---------------------------------------------------------------

struct IdentityCase {
    int format;
    int channels;
    const char* entry;
};

class RenderPowerOff : public RendererTest, public testing::WithParamInterface<IdentityCase> {};

TEST_P(RenderPowerOff, GivesTheInputBackBitForBit) {
    const auto [format, channels, entry] = GetParam();
    writeSound("in.wav", 48000, channels, gridNoise(channels, 5000), SF_FORMAT_WAV | format);
    std::vector<std::string> arguments{"in.wav", "out.wav", "--set", "Power=off", "--set", "Quantize=off"};
    if (*entry) arguments.emplace_back(entry);
    const Outcome run = render(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    const Sound in = readSound("in.wav");
    const Sound out = readSound("out.wav");
    ASSERT_EQ(out.channels, channels);
    EXPECT_TRUE(out.samples == in.samples);
}

INSTANTIATE_TEST_SUITE_P(PcmFormats, RenderPowerOff,
                         testing::Values(IdentityCase{SF_FORMAT_PCM_16, 2, ""}, IdentityCase{SF_FORMAT_PCM_24, 2, ""},
                                         IdentityCase{SF_FORMAT_PCM_16, 1, "--double"},
                                         IdentityCase{SF_FORMAT_PCM_24, 2, "--double"}));

TEST_F(RendererTest, MonoInputGivesAMonoFile) {
    writeSound("in.wav", 44100, 1, impulse(1, 2000, 700, 0.1), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const Outcome run = render({"in.wav", "out.flac"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Sound out = readSound("out.flac");
    EXPECT_EQ(out.channels, 1);
    EXPECT_EQ(out.samples.size(), 2000u);
}

TEST_F(RendererTest, OutputSampleFormatFollowsTheRequest) {
    writeSound("in.wav", 44100, 2, impulse(2, 2000, 700, 0.1));
    ASSERT_EQ(render({"in.wav", "out.aiff", "--format", "float32"}).status, 0);
    SF_INFO info{};
    SNDFILE* file = sf_open(path("out.aiff").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_AIFF);
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_FLOAT);
}

// --- bad input: a one-line message, a failure status and nothing written ----------------------

struct BadCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* mentions;
};

class RenderRefuses : public RendererTest, public testing::WithParamInterface<BadCase> {
protected:
    void SetUp() override {
        RendererTest::SetUp();
        writeSound("in.wav", 44100, 2, impulse(2, 1000, 10, 0.1));
        writeSound("three.wav", 44100, 3, impulse(3, 1000, 10, 0.1));
        writeSound("slow.wav", 4000, 2, impulse(2, 1000, 10, 0.1));
        writeSound("fast.wav", 250000, 2, impulse(2, 1000, 10, 0.1));
        std::ofstream(path("text.wav")) << "this is not audio\n";
        std::ofstream(path("existing.wav")) << "keep";
    }
};

TEST_P(RenderRefuses, WithOneLineAndWritesNothing) {
    const std::vector<std::string> before = files();
    const Outcome run = render(GetParam().arguments);
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().mentions), std::string::npos) << run.err;
    EXPECT_EQ(files(), before);
    EXPECT_EQ(slurp(path("existing.wav")), "keep");
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, RenderRefuses,
    testing::Values(BadCase{"MissingInput", {"absent.wav", "out.wav"}, "absent.wav"},
                    BadCase{"NotAudio", {"text.wav", "out.wav"}, "text.wav"},
                    BadCase{"InputIsAFolder", {".", "out.wav"}, "."},
                    BadCase{"UnwritableOutput", {"in.wav", "no/such/folder/out.wav"}, "out.wav"},
                    BadCase{"OutputSameAsInput", {"in.wav", "./in.wav"}, "same file"},
                    BadCase{"ThreeChannels", {"three.wav", "existing.wav"}, "channels"},
                    BadCase{"RateTooLow", {"slow.wav", "existing.wav"}, "4000"},
                    BadCase{"RateTooHigh", {"fast.wav", "existing.wav"}, "250000"},
                    BadCase{"UnknownProgram", {"in.wav", "existing.wav", "--program", "No Such"}, "No Such"},
                    BadCase{"ProgramIndexOutOfRange", {"in.wav", "existing.wav", "--program", "24"}, "24"},
                    BadCase{"UnknownParameter", {"in.wav", "existing.wav", "--set", "Loudness=3"}, "Loudness"},
                    BadCase{"AssignmentWithoutValue", {"in.wav", "existing.wav", "--set", "Drive"}, "NAME=VALUE"},
                    BadCase{"KnobValueThatDoesNotParse", {"in.wav", "existing.wav", "--set", "Drive=loud"}, "loud"},
                    BadCase{"KnobValueInTheWrongUnit", {"in.wav", "existing.wav", "--set", "Release=200dB"}, "200dB"},
                    BadCase{"NormalisedValueOutOfRange", {"in.wav", "existing.wav", "--set", "Power=2"}, "Power"},
                    BadCase{"UnknownSwitchWord", {"in.wav", "existing.wav", "--set", "Bits=12"}, "Bits"},
                    BadCase{"UnknownSampleFormat", {"in.wav", "out.wav", "--format", "pcm12"}, "pcm12"},
                    BadCase{"ContainerCannotHoldFormat", {"in.wav", "out.flac", "--format", "float32"}, "FLAC"},
                    BadCase{"OggHoldsOnlyVorbis", {"in.wav", "out.ogg", "--format", "pcm16"}, "Ogg"},
                    BadCase{"UnknownOutputType", {"in.wav", "out.mp9"}, "out.mp9"},
                    BadCase{"MissingPresetFile", {"in.wav", "existing.wav", "--preset", "none.orv"}, "none.orv"},
                    BadCase{"PresetFileThatIsNot", {"in.wav", "existing.wav", "--preset", "text.wav"}, "text.wav"},
                    BadCase{"BankFileThatIsNot", {"in.wav", "existing.wav", "--bank", "in.wav"}, "in.wav"},
                    BadCase{"ChunkThatIsNot", {"in.wav", "existing.wav", "--chunk-in", "text.wav"}, "text.wav"},
                    BadCase{"JsonOverInput", {"in.wav", "out.wav", "--json", "in.wav"}, "in.wav"},
                    BadCase{"UnknownOption", {"in.wav", "out.wav", "--louder"}, "--louder"},
                    BadCase{"OnlyOneFile", {"in.wav"}, "OUT"}),
    [](const testing::TestParamInfo<BadCase>& param) { return param.param.name; });

// --- --set for each kind of parameter ---------------------------------------------------------

struct SetCase {
    const char* assignment;
    const char* parameter;
    const char* display;  // the plug-in's own display text afterwards
};

class RenderSetting : public RendererTest, public testing::WithParamInterface<SetCase> {};

TEST_P(RenderSetting, ReachesThePlugInAsItsDisplayShows) {
    const auto texts = displays({"--set", GetParam().assignment});
    ASSERT_TRUE(texts.count(GetParam().parameter)) << GetParam().parameter;
    EXPECT_EQ(texts.at(GetParam().parameter), GetParam().display) << GetParam().assignment;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RenderSetting,
    testing::Values(SetCase{"Drive=+6dB", "Drive", "6.020600"},          // readout dB: x = 0.625
                    SetCase{"drive = -24 dB", "Drive", "-24.0824"},     // case and spaces ignored
                    SetCase{"Output=-6dB", "Output", "-6.02060"},
                    SetCase{"Output=0.5", "Output", "-6.02060"},        // normalised
                    SetCase{"Release=200ms", "Release", "199.9999"},
                    SetCase{"Transient=50%", "Transient", "0.125000"},
                    SetCase{"L/R Link=30%", "L/R Link", "30.00000"},
                    SetCase{"Leveller=off", "Leveller", "0.000000"},
                    SetCase{"Leveller=-12dB", "Leveller", "-oo"},
                    SetCase{"Quantize=on", "Quantize", "on"},
                    SetCase{"Bits=24", "Bits", "24"},
                    SetCase{"Bits=0.0", "Bits", "8"},
                    SetCase{"NoiseShape=type A", "NoiseShape", "type A"},
                    SetCase{"TransShape=SOFT", "TransShape", "soft"},
                    SetCase{"DetectorOrder=II", "DetectorOrder", "II"},
                    SetCase{"AttShow=0.6875", "AttShow", "1L"}));

TEST_F(RendererTest, LaterSettingsWinAndAllAreApplied) {
    const auto texts = displays({"--set", "Bits=8", "--set", "Power=off", "--set", "Bits=16"});
    EXPECT_EQ(texts.at("Bits"), "16");
    EXPECT_EQ(texts.at("Power"), "off");
}

// --- programs, presets, banks and chunks through the chunk interface ---------------------------

TEST_F(RendererTest, ListsTheTwentyFourProgramsAndSelectsByNameOrIndex) {
    const Outcome list = render({"--list-programs"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 24);
    EXPECT_NE(list.out.find("CD Master 1"), std::string::npos);

    writeSound("in.wav", 44100, 2, impulse(2, 1000, 10, 0.1));
    EXPECT_EQ(render({"in.wav", "a.wav", "--program", "cd master 1"}).status, 0);
    EXPECT_EQ(render({"in.wav", "b.wav", "--program", "0"}).status, 0);
}

TEST_F(RendererTest, ChunkOutThenChunkInCarriesTheSettings) {
    ASSERT_EQ(render({"--list-params", "--set", "Drive=+6dB", "--set", "Bits=24", "--chunk-out", "saved.chunk"}).status, 0);
    EXPECT_EQ(fs::file_size(path("saved.chunk")), kBankChunkSize);
    const auto texts = displays({"--chunk-in", "saved.chunk"});
    EXPECT_EQ(texts.at("Drive"), "6.020600");
    EXPECT_EQ(texts.at("Bits"), "24");
}

ProgramRecord recordWithDrive(float drive) {
    ProgramRecord record{};
    setRecordName(record.name, "Test");
    for (int32_t i = 0; i < kNumParams; ++i) record.values[i] = 0.0f;
    record.values[Drive] = drive;
    record.values[Output] = 1.0f;
    record.values[Release] = 0.5f;
    record.values[Power] = 0.75f;
    record.values[ResvdVid] = kSettingsVersionMarker;
    return record;
}

TEST_F(RendererTest, PresetFileGoesIntoTheCurrentProgram) {
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(recordWithDrive(0.75f), vst::fourCharCode('O', 'b', 'r', 'v'), image);
    std::ofstream(path("p.orv"), std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
    const auto texts = displays({"--preset", "p.orv"});
    EXPECT_EQ(texts.at("Drive"), "12.04120");
    EXPECT_EQ(texts.at("Release"), "50.00000");
}

TEST_F(RendererTest, BankFileWithProgramSelection) {
    ProgramBank bank{};
    for (int32_t i = 0; i < kNumPrograms; ++i) bank[static_cast<size_t>(i)] = recordWithDrive(0.5f);
    bank[3] = recordWithDrive(0.25f);
    std::array<uint8_t, kBankImageSize> image{};
    encodeBankImage(bank, vst::fourCharCode('O', 'b', 'r', 'v'), image);
    std::ofstream(path("b.ovb"), std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
    EXPECT_EQ(displays({"--bank", "b.ovb", "--program", "3"}).at("Drive"), "-12.0412");
}

// --- report --------------------------------------------------------------------------------------

std::vector<double> programMaterial(int rate, int frames) {
    std::vector<double> samples(static_cast<size_t>(frames * 2));
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double beat = std::fmod(t, 0.5);
        const double hit = std::exp(-beat / 0.05) * std::sin(2.0 * M_PI * 80.0 * t);
        samples[static_cast<size_t>(2 * i)] = 0.5 * std::sin(2.0 * M_PI * 440.0 * t) + 0.5 * hit;
        samples[static_cast<size_t>(2 * i + 1)] = 0.5 * std::sin(2.0 * M_PI * 660.0 * t) + 0.5 * hit;
    }
    return samples;
}

TEST_F(RendererTest, ReportedTruePeakAndLoudnessMatchAMeasurementOfTheOutputFile) {
    writeSound("in.wav", 44100, 2, programMaterial(44100, 44100 * 4), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const Outcome run = render({"in.wav", "out.wav", "--json", "report.json", "--set", "Drive=+9dB"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("true peak"), std::string::npos);
    const std::string json = slurp(path("report.json"));

    SF_INFO info{};
    SNDFILE* file = sf_open(path("out.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<double> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_double(file, samples.data(), info.frames);
    sf_close(file);
    ebur128_state* state = ebur128_init(2, 44100, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK);
    ebur128_add_frames_double(state, samples.data(), static_cast<size_t>(info.frames));
    double loudness = 0.0, left = 0.0, right = 0.0;
    ebur128_loudness_global(state, &loudness);
    ebur128_true_peak(state, 0, &left);
    ebur128_true_peak(state, 1, &right);
    ebur128_destroy(&state);

    EXPECT_NEAR(jsonField(json, "output_levels", "integrated_lufs"), loudness, 0.01);
    EXPECT_NEAR(jsonField(json, "output_levels", "true_peak_dbtp"), 20.0 * std::log10(std::max(left, right)), 0.01);
}

TEST_F(RendererTest, LimitingShowsGainReductionAndKeepsPeaksBelowFullScale) {
    writeSound("in.wav", 44100, 2, programMaterial(44100, 44100 * 2), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(render({"in.wav", "out.wav", "--json", "r.json", "--set", "Drive=+12dB"}).status, 0);
    const std::string json = slurp(path("r.json"));
    EXPECT_GT(jsonField(json, "gain_reduction_db", "max"), 6.0);
    EXPECT_GT(jsonField(json, "gain_reduction_db", "average"), 0.5);
    EXPECT_LE(jsonField(json, "output_levels", "sample_peak_dbfs"), 0.0);
}

TEST_F(RendererTest, CountsFullScaleSamplesOfTheOutput) {
    writeSound("in.wav", 48000, 2, gridNoise(2, 5000), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(render({"in.wav", "out.wav", "--json", "r.json", "--set", "Power=off", "--set", "Quantize=off"}).status, 0);
    EXPECT_EQ(jsonField(slurp(path("r.json")), "full_scale_samples", "full_scale_samples"), 2.0);
}

TEST_F(RendererTest, PlotIsAPng) {
    writeSound("in.wav", 44100, 2, programMaterial(44100, 44100));
    ASSERT_EQ(render({"in.wav", "out.wav", "--plot", "plot.png"}).status, 0);
    EXPECT_EQ(slurp(path("plot.png")).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(RendererTest, DemoLeavesItsFilesAndPrintsTheReport) {
    const Outcome run = render({"--demo"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("loudness"), std::string::npos);
    const std::vector<std::string> expected{"demo-in.wav", "demo-out.wav", "demo-plot.png"};
    EXPECT_EQ(files(), expected);
    const Sound in = readSound("demo-in.wav");
    EXPECT_EQ(in.channels, 2);
    EXPECT_NEAR(static_cast<double>(in.samples.size()) / 2.0 / in.rate, 20.0, 0.01);
    EXPECT_EQ(readSound("demo-out.wav").samples.size(), in.samples.size());
}

}  // namespace
}  // namespace orv
