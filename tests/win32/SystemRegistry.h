#pragma once
// Writes keys and text values into the system's registry under HKEY_LOCAL_MACHINE (under wine:
// the throw-away prefix's) and removes every key it created when it goes.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zt40::test {

class SystemRegistry {
public:
    SystemRegistry() = default;
    ~SystemRegistry() {
        // Deepest first; a key that held others created here is empty by then.
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) RegDeleteKeyA(HKEY_LOCAL_MACHINE, it->c_str());
    }
    SystemRegistry(const SystemRegistry&) = delete;
    SystemRegistry& operator=(const SystemRegistry&) = delete;

    // Creates the key level by level, remembering the levels that were new.
    bool AddKey(std::string_view path) {
        std::string sofar;
        for (std::size_t start = 0; start <= path.size();) {
            const auto end = std::min(path.find('\\', start), path.size());
            if (!sofar.empty()) sofar += '\\';
            sofar += path.substr(start, end - start);
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, sofar.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                &disposition) != ERROR_SUCCESS) {
                return false;
            }
            RegCloseKey(key);
            if (disposition == REG_CREATED_NEW_KEY) m_created.push_back(sofar);
            start = end + 1;
        }
        return true;
    }

    bool SetValue(std::string_view keyPath, std::string_view valueName, std::string_view text, DWORD type = REG_SZ) {
        if (!AddKey(keyPath)) return false;
        const std::string path(keyPath);
        const std::string name(valueName);
        std::string stored(text);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
        // A text is stored with its terminator, other types as they are.
        const auto size = static_cast<DWORD>(stored.size() + (type == REG_SZ ? 1 : 0));
        const bool ok = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(stored.c_str()),
                                       size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }

    std::size_t CreatedCount() const { return m_created.size(); }

private:
    std::vector<std::string> m_created;
};

}  // namespace zt40::test
