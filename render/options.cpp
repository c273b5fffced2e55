#include "render/options.h"

#include "render/render_error.h"

#include <string_view>
#include <utility>

namespace orv::render {
namespace {

// Walks the arguments; an option's value is the next argument or the text after '='.
class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const char* const> arguments) : arguments_(arguments) {}

    bool done() const { return position_ >= arguments_.size(); }

    // The next argument, split at '=' for long options.
    std::string_view next() {
        pending_.reset();
        std::string_view argument = arguments_[position_++];
        if (argument.starts_with("--")) {
            if (const size_t equals = argument.find('='); equals != std::string_view::npos) {
                pending_ = argument.substr(equals + 1);
                argument = argument.substr(0, equals);
            }
        }
        return argument;
    }

    std::string value(std::string_view option) {
        if (pending_) return std::string(*std::exchange(pending_, std::nullopt));
        if (done()) throw RenderError(std::string(option) + " needs a value");
        return arguments_[position_++];
    }

    void refuseValue(std::string_view option) const {
        if (pending_) throw RenderError(std::string(option) + " takes no value");
    }

private:
    std::span<const char* const> arguments_;
    size_t position_ = 0;
    std::optional<std::string_view> pending_;
};

}  // namespace

Options parseArguments(std::span<const char* const> arguments) {
    Options options;
    std::vector<std::string> files;
    ArgumentReader reader(arguments);
    while (!reader.done()) {
        const std::string_view argument = reader.next();
        if (argument == "--format") {
            const std::string name = reader.value(argument);
            options.format = parseSampleFormat(name);
            if (!options.format)
                throw RenderError("unknown sample format \"" + name + "\" (pcm16, pcm24, float32 or float64)");
        } else if (argument == "--program") options.program = reader.value(argument);
        else if (argument == "--preset") options.preset = reader.value(argument);
        else if (argument == "--bank") options.bank = reader.value(argument);
        else if (argument == "--chunk-in") options.chunkIn = reader.value(argument);
        else if (argument == "--chunk-out") options.chunkOut = reader.value(argument);
        else if (argument == "--set") options.settings.push_back(reader.value(argument));
        else if (argument == "--json") options.json = reader.value(argument);
        else if (argument == "--plot") options.plot = reader.value(argument);
        else if (argument == "--plugin") options.plugin = reader.value(argument);
        else {
            reader.refuseValue(argument);
            if (argument == "--double") options.useDouble = true;
            else if (argument == "--demo") options.demo = true;
            else if (argument == "--list-programs") options.listPrograms = true;
            else if (argument == "--list-params") options.listParams = true;
            else if (argument == "--user-settings") options.userSettings = true;
            else if (argument == "--help" || argument == "-h") options.help = true;
            else if (argument.starts_with("-") && argument != "-") throw RenderError("unknown option " + std::string(argument));
            else files.emplace_back(argument);
        }
    }

    const bool listing = options.listPrograms || options.listParams;
    if (options.help) return options;
    if (options.demo) {
        if (files.size() > 1) throw RenderError("--demo takes at most one file, the output");
        if (!files.empty()) options.output = files[0];
    } else if (files.size() == 2) {
        options.input = files[0];
        options.output = files[1];
    } else if (!(files.empty() && listing)) {
        throw RenderError(files.size() < 2 ? "missing IN or OUT (see --help)" : "too many files (see --help)");
    }
    return options;
}

std::string usageText() {
    return R"(usage: orvbrivo-render IN OUT [options]
       orvbrivo-render --demo [OUT] [options]
       orvbrivo-render --list-programs | --list-params [settings]

Masters IN (WAV, AIFF, FLAC or Ogg; mono or stereo) through the Orv Brivo plug-in into OUT,
whose extension names the container. The output lines up with the input sample for sample.

settings (applied in this order):
  --chunk-in FILE      load a saved plug-in chunk
  --bank FILE.ovb      load the 24 programs of a bank file
  --program NAME|N     make program N (0..23) or the program of that name current
  --preset FILE.orv    load a preset file into the current program
  --set NAME=VALUE     one parameter by name: a value within 0..1, a switch word
                       (Quantize=on, Bits=16, NoiseShape="type A") or a knob value in
                       the editor's units (Drive=+6dB, Release=200ms, Transient=20%,
                       Leveller=off); may be repeated
  --user-settings      start from the user's stored defaults instead of an empty store
output:
  --format F           pcm16, pcm24, float32 or float64 (default: the input's)
  --double             process through the 64-bit entry
  --chunk-out FILE     save the plug-in's chunk after the settings
  --json FILE          write the report as JSON
  --plot FILE.png      draw the level envelopes and the gain reduction
  --list-programs      print the 24 programs
  --list-params        print every parameter: name, display text, label
  --plugin FILE.so     the plug-in module (default: orvbrivo.so beside this program)
)";
}

}  // namespace orv::render
