#pragma once
// A spooler that knows a fixed table of queues and can only describe them.
#include <map>
#include <memory>
#include <string>

#include "platform/Spooler.h"

namespace zt40::test {

class QueueTableSpooler : public ISpooler {
public:
    void Add(QueueInfo info) { m_queues[info.name] = std::move(info); }
    int openQueues = 0;  // queues opened and not yet closed

    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override {
        for (const auto& entry : m_queues) queues.push_back(entry.second);
        return true;
    }
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override {
        const auto it = m_queues.find(name);
        if (it == m_queues.end()) return nullptr;
        return std::make_unique<Queue>(*this, it->second);
    }
    std::string LastErrorText() override { return "The printer name is invalid."; }

private:
    class Queue : public ISpoolerQueue {
    public:
        Queue(QueueTableSpooler& owner, QueueInfo info) : m_owner(owner), m_info(std::move(info)) { ++m_owner.openQueues; }
        ~Queue() override { Close(); }
        bool GetInfo(QueueInfo& info) override { return (info = m_info), true; }
        std::int32_t StartDoc(std::string_view, std::string_view) override { return 0; }
        bool StartPage() override { return false; }
        bool Write(std::span<const std::uint8_t>, std::size_t& written) override { return (written = 0), false; }
        bool EndPage() override { return false; }
        bool EndDoc() override { return false; }
        bool CancelJob(std::int32_t) override { return false; }
        bool Close() override {
            if (m_open) --m_owner.openQueues;
            m_open = false;
            return true;
        }

    private:
        QueueTableSpooler& m_owner;
        QueueInfo m_info;
        bool m_open = true;
    };

    std::map<std::string, QueueInfo, std::less<>> m_queues;
};

}  // namespace zt40::test
