// stelpod-sim: a simulated Stelpod on a pseudo-terminal, published as comN in
// the ports folder, answering until SIGINT or SIGTERM.

#include "tools/stelpod-sim/RecordFile.h"
#include "tools/stelpod-sim/RecordGenerator.h"
#include "tools/stelpod-sim/StelpodSimulator.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <pthread.h>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: stelpod-sim --port N [options]\n"
    "  --port N            publish the unit as comN in $DORVEL_PORTS (else ~/.dorvel/ports)\n"
    "  --records COUNT     generate COUNT event records, at most 8000 (default 100)\n"
    "  --record-file FILE  take the event records from FILE, one a line\n"
    "  --seed S            seed of the generated records (default 1)\n"
    "  --firmware TEXT     firmware text (default SN-Stelpod108)\n"
    "  --bootloader TEXT   bootloader text (default BL-0102)\n"
    "  --battery HEX       battery byte (default 01: NiMH; bit 7: lithium cell low)\n"
    "  --rewrites N        rewrite count of the event memory (default 0)\n"
    "  --lithium-low       the latest tenth of the generated records report the lithium\n"
    "                      cell low\n"
    "  --silent            never answer\n"
    "  --drop K            give no answer to the first K commands\n"
    "  --crlf              end replies with CR LF instead of CR\n"
    "  --split             write each reply line in pieces with small gaps\n"
    "  --garbage           send a line of noise before each reply line\n"
    "  --dno               refuse the clock: answer dNO\n"
    "  --mno               end the download with MNO instead of MOK\n"
    "  --stop-after N      send at most N records and no end line\n"
    "  --malformed-at N    send record N (from 0) mangled\n"
    "  --unpaced           write as fast as possible instead of at 38400 bit/s\n"
    "  --log FILE          append the log to FILE instead of standard output\n";

[[noreturn]] void Usage(const std::string& problem) {
    std::fprintf(stderr, "stelpod-sim: %s\n%s", problem.c_str(), kUsage);
    std::exit(2);
}

unsigned long Number(const std::string& option, const char* text, int base = 10) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, base);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-')
        Usage("bad value for " + option + ": " + text);
    return value;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<int> port;
    sim::RecordGeneratorOptions generator;
    generator.count = 100;
    std::string recordFile;
    std::string firmware = "SN-Stelpod108";
    std::optional<std::string> bootloader;
    std::optional<unsigned long> battery;
    unsigned long rewrites = 0;
    sim::FaultSwitches faults;
    std::string logPath;

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                Usage(option + " needs a value");
            return argv[++i];
        };
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (option == "--port") {
            const unsigned long n = Number(option, value());
            if (n < 1 || n > 256)
                Usage("the port number must be 1 to 256");
            port = static_cast<int>(n);
        } else if (option == "--records") {
            generator.count = Number(option, value());
            if (generator.count > sim::StelpodState::kMemoryCapacity)
                Usage("the event memory holds at most 8000 records");
        } else if (option == "--record-file") {
            recordFile = value();
        } else if (option == "--seed") {
            generator.seed = static_cast<std::uint32_t>(Number(option, value()));
        } else if (option == "--firmware") {
            firmware = value();
        } else if (option == "--bootloader") {
            bootloader = value();
        } else if (option == "--battery") {
            battery = Number(option, value(), 16);
            if (*battery > 0xFF)
                Usage("the battery byte is two hexadecimal digits");
        } else if (option == "--rewrites") {
            rewrites = Number(option, value());
            if (rewrites > 0xFF)
                Usage("the rewrite count is 0 to 255");
        } else if (option == "--lithium-low") {
            generator.lithiumLowShare = 0.1;
        } else if (option == "--silent") {
            faults.silent = true;
        } else if (option == "--drop") {
            faults.dropReplies = static_cast<int>(Number(option, value()));
        } else if (option == "--crlf") {
            faults.crLf = true;
        } else if (option == "--split") {
            faults.split = true;
        } else if (option == "--garbage") {
            faults.garbage = true;
        } else if (option == "--dno") {
            faults.refuseClock = true;
        } else if (option == "--mno") {
            faults.downloadEnd = sim::DownloadEnd::No;
        } else if (option == "--stop-after") {
            faults.downloadLimit = Number(option, value());
            faults.downloadEnd = sim::DownloadEnd::None;
        } else if (option == "--malformed-at") {
            faults.malformedRecordAt = Number(option, value());
        } else if (option == "--unpaced") {
            faults.paced = false;
        } else if (option == "--log") {
            logPath = value();
        } else {
            Usage("unknown option " + option);
        }
    }
    if (!port)
        Usage("--port is required");

    std::FILE* log = stdout;
    if (!logPath.empty()) {
        log = std::fopen(logPath.c_str(), "a");
        if (!log) {
            std::fprintf(stderr, "stelpod-sim: cannot open %s: %s\n", logPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    try {
        sim::StelpodState state = sim::StelpodState::Defaults(firmware);
        if (bootloader)
            state.bootloader = *bootloader;
        if (battery)
            state.batteryByte = static_cast<std::uint8_t>(*battery);
        state.rewriteCount = static_cast<std::uint8_t>(rewrites);
        generator.hardwareKind = state.HardwareKind();
        state.sampleTime = static_cast<std::uint8_t>(generator.sampleMinutes);
        state.records = recordFile.empty() ? sim::RecordGenerator::GenerateHex(generator)
                                           : sim::RecordFile::Read(recordFile);

        // The signals are taken by sigwait below; the simulator's thread
        // inherits the blocked mask and is never interrupted by them.
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);

        sim::StelpodSimulator simulator(*port, std::move(state));
        simulator.SetFaults(faults);
        simulator.SetLog([log](const std::string& line) {
            std::fprintf(log, "%s\n", line.c_str());
            std::fflush(log);
        });
        simulator.Start();
        int received = 0;
        sigwait(&signals, &received);
        simulator.Stop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "stelpod-sim: %s\n", error.what());
        return 1;
    }
    if (log != stdout)
        std::fclose(log);
    return 0;
}
