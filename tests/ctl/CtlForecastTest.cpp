// zt40ctl forecast run as a program on a samples file: the printer it picks, the days it prints,
// and what it says without samples.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/CtlProgram.h"

namespace zt40::testing {
namespace {

class CtlForecast : public CtlDataFolderTest {
protected:
    void WriteSamples() {
        std::ofstream(m_dir / "zt40util-samples.csv", std::ios::binary)
            << "date,printer,total,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,head1,head2\n"
               "2026-12-01,ZT4000123,5,7000000,0,0,0,0,0,0,0,9500000,1,0\n"
               "2026-12-03,\"OTHER,ONE\",5,100,0,0,0,0,0,0,0,0,1,0\n"
               "this line is not a sample\n"
               "2026-12-04,ZT4000123,5,7210000,0,0,0,0,0,0,0,9500000,1,0\n"
               "2026-12-05,\"OTHER,ONE\",5,200,0,0,0,0,0,0,0,0,1,0\n";
    }
};

TEST_F(CtlForecast, JsonGivesRoundedDownDaysPerPin) {
    WriteSamples();
    const auto run = Ctl("forecast --printer ZT4000123 --json");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // 70,000 a day: 790,000 to yellow is 11.3 days, 2,790,000 to red 39.9.
    EXPECT_NE(run.out.find(R"({"pin":1,"count":7210000,"perDay":70000,"daysToYellow":11,"daysToRed":39})"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(R"({"pin":9,"count":9500000,"perDay":0,"daysToYellow":0,"daysToRed":null})"),
              std::string::npos)
        << run.out;
    EXPECT_TRUE(run.out.starts_with(R"({"printer":"ZT4000123","newestSample":"2026-12-04","pins":[)")) << run.out;
    EXPECT_NE(run.out.find(R"("skippedLines":1,"futureSamples":0})"), std::string::npos) << run.out;
    if (std::system("command -v python3 >/dev/null") == 0) {
        std::ofstream(m_dir / "out.json") << run.out;
        EXPECT_EQ(std::system(("python3 -c 'import json,sys; json.load(open(sys.argv[1]))' " + (m_dir / "out.json").string())
                                  .c_str()),
                  0);
    }
}

TEST_F(CtlForecast, WithoutPrinterTakesTheNewestSamplesPrinter) {
    WriteSamples();
    const auto run = Ctl("forecast --json");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with(R"({"printer":"OTHER,ONE",)")) << run.out;
    EXPECT_NE(run.out.find(R"({"pin":1,"count":200,"perDay":50,"daysToYellow":159996,"daysToRed":199996})"),
              std::string::npos)
        << run.out;
}

TEST_F(CtlForecast, TableHasARowPerPin) {
    WriteSamples();
    const auto run = Ctl("forecast --printer=ZT4000123");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("printer ZT4000123, newest sample 2026-12-04\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1        7210000      70000              11           39\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2              0          0               -            -\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("1 lines"), std::string::npos) << run.err;  // the skipped line is told of
}

TEST_F(CtlForecast, FailuresAndTheirStatus) {
    struct Case {
        const char* arguments;
        bool samples;
        int status;
        const char* said;
    };
    for (const Case& c : {Case{"forecast --json", false, 1, "no samples yet"},
                          Case{"forecast --printer ZT4000999", true, 1, "no samples of printer \"ZT4000999\""},
                          Case{"forecast --printer", true, 2, "usage: zt40ctl forecast"},
                          Case{"forecast --csv", true, 2, "usage: zt40ctl forecast"}}) {
        std::filesystem::remove(m_dir / "zt40util-samples.csv");
        if (c.samples) WriteSamples();
        const auto run = Ctl(c.arguments);
        EXPECT_EQ(run.exitStatus, c.status) << c.arguments;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
}

}  // namespace
}  // namespace zt40::testing
