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

namespace {

using namespace zt40::jobgen;

constexpr int kOriginBodyId = 151;
constexpr int kNinePinPatternId = 152;
constexpr int kFirstPinHeaderId = 153;  // pin n uses 152 + n
constexpr int kLettersBodyId = 171;
constexpr int kPlainHeaderId = 172;

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
    ok = WriteJob(folder, kPlainHeaderId, plainHeader) && ok;

    for (int pin = 1; pin <= 9; ++pin) {
        Bytes pinHeader;
        AppendHeader(pinHeader, kSingleJobSettings, pin);
        ok = WriteJob(folder, kFirstPinHeaderId + pin - 1, pinHeader) && ok;
    }

    Bytes letters;
    AppendRasterBody(letters, DrawLettersSample(), kLettersTop, kLettersLeft, AfterLastRow::ZeroByte);
    ok = WriteJob(folder, kLettersBodyId, letters) && ok;

    Bytes origin;
    AppendRasterBody(origin, DrawOriginMark(), kOriginTop, kOriginLeft);
    ok = WriteJob(folder, kOriginBodyId, origin) && ok;

    Bytes pattern;
    for (int pin = 1; pin <= 9; ++pin) {
        AppendHeader(pattern, kPatternJobSettings, pin);
        AppendRasterBody(pattern, DrawPinPattern(pin), kPatternTop, kPatternLeft);
    }
    ok = WriteJob(folder, kNinePinPatternId, pattern) && ok;

    return ok ? 0 : 1;
}
