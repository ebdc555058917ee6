// Writes the embedded adjustment jobs, one file per resource id, into the folder given.
//
//   zt40_jobgen OUTPUT_DIR
//
// The output depends on nothing but this program, so every build produces the same bytes.
#include <cstdio>
#include <fstream>
#include <string>

#include "JobWriter.h"
#include "Patterns.h"
#include "platform/JobResources.h"

namespace {

using namespace zt40::jobgen;
using zt40::kLettersBodyJob, zt40::kNinePinPatternJob, zt40::kOriginBodyJob, zt40::kPinHeaderJobBase,
    zt40::kPlainHeaderJob;

bool WriteJob(const std::string& folder, int id, const Bytes& bytes) {
    const std::string path = folder + "/job_" + std::to_string(id) + ".bin";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "zt40_jobgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zt40_jobgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = true;

    Bytes plainHeader;
    AppendHeader(plainHeader, kSingleJobSettings, std::nullopt);
    ok = WriteJob(folder, kPlainHeaderJob, plainHeader) && ok;

    for (int pin = 1; pin <= 9; ++pin) {
        Bytes pinHeader;
        AppendHeader(pinHeader, kSingleJobSettings, pin);
        ok = WriteJob(folder, kPinHeaderJobBase + pin, pinHeader) && ok;
    }

    Bytes letters;
    AppendRasterBody(letters, DrawLettersSample(), kLettersTop, kLettersLeft, AfterLastRow::ZeroByte);
    ok = WriteJob(folder, kLettersBodyJob, letters) && ok;

    Bytes origin;
    AppendRasterBody(origin, DrawOriginMark(), kOriginTop, kOriginLeft);
    ok = WriteJob(folder, kOriginBodyJob, origin) && ok;

    Bytes pattern;
    for (int pin = 1; pin <= 9; ++pin) {
        AppendHeader(pattern, kPatternJobSettings, pin);
        AppendRasterBody(pattern, DrawPinPattern(pin), kPatternTop, kPatternLeft);
    }
    ok = WriteJob(folder, kNinePinPatternJob, pattern) && ok;

    return ok ? 0 : 1;
}
