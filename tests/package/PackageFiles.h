#pragma once
// Reading the shipped text files the way the tools that consume them do.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace zt40::testing {

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The keys of a desktop entry's main group, localised keys as written ("Name[ja]").
inline std::map<std::string, std::string> DesktopEntry(const std::filesystem::path& file) {
    std::map<std::string, std::string> keys;
    std::istringstream in(ReadText(file));
    std::string line;
    bool inMain = false;
    while (std::getline(in, line)) {
        if (line.starts_with('[')) {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMain || line.starts_with('#') || equals == std::string::npos) continue;
        keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

// The text of the first <tag>...</tag> in `xml`, or "" without one.
inline std::string XmlElement(const std::string& xml, const std::string& tag) {
    const std::string open = "<" + tag;
    auto start = xml.find(open);
    while (start != std::string::npos && xml[start + open.size()] != '>' && xml[start + open.size()] != ' ') {
        start = xml.find(open, start + 1);
    }
    if (start == std::string::npos) return {};
    start = xml.find('>', start) + 1;
    const auto end = xml.find("</" + tag + ">", start);
    return end == std::string::npos ? std::string{} : xml.substr(start, end - start);
}

}  // namespace zt40::testing
