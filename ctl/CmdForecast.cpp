// zt40ctl forecast: when each pin of one printer reaches the yellow and the red band, from the
// counter samples that status, metrics and the window keep. No printer is needed.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ctl/Command.h"
#include "ctl/ExitStatus.h"
#include "ctl/Json.h"
#include "platform/TextOutput.h"
#include "record/WearForecast.h"
#include "wiring/RecordWiring.h"

namespace zt40::ctl {

namespace {

constexpr const char* kUsage = "usage: zt40ctl forecast [--printer SERIAL] [--json]\n";

// Counts a day to two decimals, without trailing zeros: 100000, 33333.33.
std::string PerDayText(double perDay) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", std::round(perDay * 100) / 100);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out == "-0" ? "0" : out;
}

std::string DaysJson(const std::optional<std::int64_t>& days) { return days ? std::to_string(*days) : "null"; }

std::string ForecastJson(const WearForecast& forecast, std::size_t skippedLines) {
    const std::string pins = JsonArray(forecast.pins, [](const PinForecast& pin) {
        return JsonObject()
            .Number("pin", pin.pin)
            .Number("count", pin.count)
            .Raw("perDay", pin.perDay ? PerDayText(*pin.perDay) : "null")
            .Raw("daysToYellow", DaysJson(pin.daysToYellow))
            .Raw("daysToRed", DaysJson(pin.daysToRed))
            .End();
    });
    return JsonObject()
        .Text("printer", forecast.printer)
        .Text("newestSample", IsoDate(forecast.newest))
        .Raw("pins", pins)
        .Number("skippedLines", static_cast<std::int64_t>(skippedLines))
        .Number("futureSamples", static_cast<std::int64_t>(forecast.futureSamples))
        .End();
}

std::string DaysText(const std::optional<std::int64_t>& days) { return days ? std::to_string(*days) : "-"; }

void PrintTable(const WearForecast& forecast) {
    std::printf("printer %s, newest sample %s\n", EscapeForTerminal(forecast.printer).c_str(),
                IsoDate(forecast.newest).c_str());
    std::printf("%-4s %11s %10s %15s %12s\n", "pin", "count", "per day", "days to yellow", "days to red");
    for (const auto& pin : forecast.pins) {
        std::printf("%-4d %11d %10s %15s %12s\n", pin.pin, pin.count,
                    pin.perDay ? PerDayText(*pin.perDay).c_str() : "-", DaysText(pin.daysToYellow).c_str(),
                    DaysText(pin.daysToRed).c_str());
    }
}

int Usage(const std::string& why) {
    std::fprintf(stderr, "zt40ctl: forecast: %s\n%s", EscapeForTerminal(why).c_str(), kUsage);
    return kExitBadArguments;
}

int RunForecast(const GlobalOptions&, const std::vector<std::string>& args) {
    bool json = false;
    std::optional<std::string> printer;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--printer" || args[i].starts_with("--printer=")) {
            if (printer) return Usage("--printer is given twice");
            // An option after --printer is a value left out, not a serial (--printer=-X names one).
            const bool separate = args[i] == "--printer";
            if (separate && (i + 1 == args.size() || args[i + 1].starts_with("-"))) {
                return Usage("--printer needs a printer's serial");
            }
            printer = separate ? args[++i] : args[i].substr(10);
            if (printer->empty()) return Usage("--printer needs a printer's serial");
        } else {
            std::fputs(kUsage, stderr);
            return kExitBadArguments;
        }
    }

    const RecordWiring records{std::string(kRecordApplicationName)};
    const auto read = ReadSamples(records.Platform());
    if (read.missing) {
        std::fprintf(stderr, "zt40ctl: forecast: no samples yet (%s does not exist; status and metrics add one a day)\n",
                     EscapeForTerminal(read.path).c_str());
        return kExitNoAnswer;
    }
    if (read.failure) {
        std::fprintf(stderr, "zt40ctl: forecast: %s\n", EscapeForTerminal(read.failure->English()).c_str());
        return kExitNoAnswer;
    }
    const RecordDate today = LocalDate();
    if (!printer) printer = NewestPrinter(read.samples, today);
    if (!printer) {
        std::fprintf(stderr, "zt40ctl: forecast: %s holds no samples", EscapeForTerminal(read.path).c_str());
        if (read.skippedLines > 0) std::fprintf(stderr, " (%zu lines are not samples and were skipped)", read.skippedLines);
        std::fputc('\n', stderr);
        return kExitNoAnswer;
    }
    const auto forecast = ForecastWear(read.samples, *printer, today);
    if (!forecast.found) {
        std::fprintf(stderr, "zt40ctl: forecast: no samples of printer \"%s\" in %s%s\n",
                     EscapeForTerminal(*printer).c_str(), EscapeForTerminal(read.path).c_str(),
                     forecast.futureSamples > 0
                         ? (" (" + std::to_string(forecast.futureSamples) + " dated after today were skipped)").c_str()
                         : "");
        return kExitNoAnswer;
    }
    if (json) {
        std::printf("%s\n", ForecastJson(forecast, read.skippedLines).c_str());
        return kExitOk;
    }
    PrintTable(forecast);
    if (read.skippedLines > 0) {
        std::fprintf(stderr, "zt40ctl: forecast: %zu lines of %s are not samples and were skipped\n",
                     read.skippedLines, EscapeForTerminal(read.path).c_str());
    }
    if (forecast.futureSamples > 0) {
        std::fprintf(stderr, "zt40ctl: forecast: %zu samples of printer \"%s\" are dated after today (%s) and were skipped\n",
                     forecast.futureSamples, EscapeForTerminal(forecast.printer).c_str(), IsoDate(today).c_str());
    }
    return kExitOk;
}

const RegisterCommand kForecast{{"forecast",
                                 "forecast [--printer SERIAL] [--json]   days until each pin turns yellow and red",
                                 RunForecast, {"--printer"}}};

}  // namespace
}  // namespace zt40::ctl
