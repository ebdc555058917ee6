// The shipped files name each other and the program's own facts; a rename on one side that
// misses the other breaks the install silently (no queue matches, no menu icon, records lost).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "PackageFiles.h"
#include "session/QueueRule.h"
#include "platform/linux/LinuxDataFolderPlatform.h"
#include "record/DataFolder.h"
#include "support/BuildTree.h"

namespace {

using zt40::testing::DesktopEntry;
using zt40::testing::ReadText;
using zt40::testing::XmlElement;

const std::string kSource = ZT40_SOURCE_DIR;

TEST(ShippedFilesAgree, ThePpdGivesTheQueueTheDriverNameTheProgramLooksFor) {
    const std::string ppd = ReadText(kSource + "/res/cups/velmora-zt40.ppd");
    // CUPS reports a queue's make and model from *NickName; lpinfo -m lists *ModelName.
    for (const char* key : {"*NickName", "*ModelName", "*ShortNickName"}) {
        const std::regex line(std::string("\\") + key + ":\\s*\"([^\"]*)\"");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(ppd, match, line)) << key;
        EXPECT_EQ(match[1].str(), zt40::kPrinterDriverName) << key;
    }
}

TEST(ShippedFilesAgree, DesktopEntryAndMetainfoNameTheSameProgramAndIcon) {
    const auto entry = DesktopEntry(kSource + "/res/desktop/" ZT40_APP_ID ".desktop");
    const std::string metainfo = ReadText(ZT40_BINARY_DIR "/res/desktop/" ZT40_APP_ID ".metainfo.xml");

    EXPECT_EQ(XmlElement(metainfo, "id"), ZT40_APP_ID);
    EXPECT_EQ(XmlElement(metainfo, "launchable"), ZT40_APP_ID ".desktop");
    const std::string program = entry.at("Exec").substr(0, entry.at("Exec").find(' '));
    EXPECT_NE(metainfo.find("<binary>" + program + "</binary>"), std::string::npos) << program;
    EXPECT_EQ(entry.at("Icon"), "zt40util");
    EXPECT_EQ(metainfo.find('@'), std::string::npos) << "a configure placeholder is left";
}

TEST(ShippedFilesAgree, DesktopEntryHasBothEditions) {
    const auto entry = DesktopEntry(kSource + "/res/desktop/" ZT40_APP_ID ".desktop");
    for (const char* key : {"Name", "Name[ja]", "Comment", "Comment[ja]", "GenericName", "GenericName[ja]"}) {
        const auto found = entry.find(key);
        EXPECT_TRUE(found != entry.end() && !found->second.empty()) << key;
    }
    EXPECT_NE(entry.at("Comment[ja]"), entry.at("Comment"));
}

TEST(ShippedFilesAgree, TheInstalledRecordFolderIsTheOneTheProgramResolves) {
    if (std::getenv(zt40::kDataDirVariable) != nullptr) GTEST_SKIP() << "the record folder is overridden";
    std::string base = (std::filesystem::temp_directory_path() / "zt40-common-XXXXXX").string();
    ASSERT_NE(::mkdtemp(base.data()), nullptr);
    // The program's own resolution, under a stand-in for its common folder.
    zt40::LinuxDataFolderPlatform platform(base);
    zt40::DataFolder folder(platform);
    std::string resolved;
    ASSERT_TRUE(folder.ResolveDataFolder(zt40::kProductFolderName, resolved));
    std::filesystem::remove_all(base);

    const std::string common = zt40::LinuxDataFolderPlatform().CommonAppDataFolder().value_or("");
    ASSERT_TRUE(resolved.starts_with(base)) << resolved;
    EXPECT_EQ(common + resolved.substr(base.size()), ZT40_RECORD_DIR);
}

TEST(ShippedFilesAgree, EveryScriptCreatesTheRecordFolderTheBuildInstalls) {
    // The folder appears in shell scripts that cannot include the build's settings.
    for (const char* script : {"/debian/postinst", "/scripts/check-package.sh"}) {
        const std::string text = ReadText(kSource + script);
        const std::regex assignment(R"(record_dir="([^"]*)\")");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(text, match, assignment)) << script;
        EXPECT_EQ(match[1].str(), ZT40_RECORD_DIR) << script;
    }
}

struct PipeCloser {
    void operator()(std::FILE* pipe) const { ::pclose(pipe); }
};

TEST(ShippedFilesAgree, TheManualPageDescribesEveryZt40ctlCommandAndExitStatus) {
    std::unique_ptr<std::FILE, PipeCloser> pipe(::popen("'" ZT40_BINARY_DIR "/zt40ctl' --help", "r"));
    ASSERT_TRUE(pipe);
    std::string help;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) help += buffer.data();

    const std::string page = ReadText(kSource + "/docs/man/zt40ctl.1.scd");
    // The first word of each line of a --help section: command names, exit statuses.
    auto section = [&help](const std::string& heading) {
        std::set<std::string> names;
        const auto start = help.find("\n" + heading + ":\n");
        if (start == std::string::npos) return names;
        std::istringstream lines(help.substr(start + heading.size() + 3));
        std::string line;
        while (std::getline(lines, line) && line.starts_with("  ")) {
            std::istringstream words(line);
            std::string name;
            if (words >> name) names.insert(name);
        }
        return names;
    };
    const auto commands = section("commands");
    ASSERT_FALSE(commands.empty()) << help;
    for (const auto& name : commands) {
        EXPECT_NE(page.find("\n*" + name + "*"), std::string::npos) << name << " is missing from zt40ctl(1)";
    }
    const std::string exitSection = page.substr(page.find("# EXIT STATUS"));
    for (const auto& status : section("exit status")) {
        EXPECT_NE(exitSection.find("\n*" + status + "*\n"), std::string::npos)
            << "exit status " << status << " is missing from zt40ctl(1)";
    }
}

}  // namespace

// Each file that states the licence or the copyright holder states the same ones: a package
// whose copyright file names another licence than the tree ships is not one Debian can carry.
TEST(ShippedFilesAgree, EveryFileNamesTheSameLicenceAndHolder) {
    const std::string licence = ReadText(kSource + "/LICENSE");
    const std::string copyright = ReadText(kSource + "/debian/copyright");
    const std::string metainfo = ReadText(ZT40_BINARY_DIR "/res/desktop/" ZT40_APP_ID ".metainfo.xml");
    std::smatch holder;
    ASSERT_TRUE(std::regex_search(licence, holder, std::regex(R"(Copyright \(c\) (\d{4}) ([^\n]+))")));
    const struct {
        const char* what;
        const std::string& text;
        std::string expected;
    } cases[] = {
        {"LICENSE's title", licence, "MIT License"},
        {"copyright's Files: * licence", copyright, "Files: *\nCopyright: " + holder[1].str() + " " + holder[2].str() + "\nLicense: MIT\n"},
        {"copyright's licence text", copyright, "\nLicense: MIT\n Permission is hereby granted"},
        {"AppStream project licence", metainfo, "<project_license>MIT</project_license>"},
    };
    for (const auto& c : cases) EXPECT_NE(c.text.find(c.expected), std::string::npos) << c.what;
    // A placeholder address must not reach a package: no home page until there is one.
    for (const char* file : {"/debian/control", "/debian/copyright"}) {
        EXPECT_EQ(ReadText(kSource + file).find("example.org"), std::string::npos) << file;
    }
    EXPECT_EQ(metainfo.find("example.org"), std::string::npos);
    EXPECT_EQ(metainfo.find("type=\"homepage\""), std::string::npos);
}
