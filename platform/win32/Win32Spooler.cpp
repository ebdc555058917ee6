#include "platform/win32/Win32Spooler.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/os/win32/SystemText.h"

// The GDI's StartDoc macro would rename the spooler queue's operation.
#undef StartDoc

namespace zt40 {

namespace {

std::string TextOf(const char* text) { return text ? text : ""; }

QueueInfo QueueInfoOf(const PRINTER_INFO_2A& record) {
    return {TextOf(record.pPrinterName), TextOf(record.pPortName), TextOf(record.pDriverName), record.Attributes};
}

class Win32SpoolerQueue final : public ISpoolerQueue {
public:
    Win32SpoolerQueue(HANDLE printer, std::shared_ptr<Win32Spooler::LastError> lastError)
        : m_printer(printer), m_lastError(std::move(lastError)) {}
    ~Win32SpoolerQueue() override { Close(); }
    Win32SpoolerQueue(const Win32SpoolerQueue&) = delete;
    Win32SpoolerQueue& operator=(const Win32SpoolerQueue&) = delete;

    bool GetInfo(QueueInfo& info) override {
        // The first call only learns the size.
        DWORD needed = 0;
        if (!GetPrinterA(m_printer, 2, nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return Failed();
        }
        std::vector<BYTE> buffer(needed);
        if (needed == 0 || !GetPrinterA(m_printer, 2, buffer.data(), needed, &needed)) return Failed();
        info = QueueInfoOf(*reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data()));
        return true;
    }

    std::int32_t StartDoc(std::string_view docName, std::string_view dataType) override {
        std::string name(docName);
        std::string type(dataType);
        DOC_INFO_1A doc{name.data(), nullptr, type.data()};
        const DWORD job = StartDocPrinterA(m_printer, 1, reinterpret_cast<BYTE*>(&doc));
        if (job == 0) m_lastError->Take();
        return static_cast<std::int32_t>(job);
    }

    bool StartPage() override { return StartPagePrinter(m_printer) || Failed(); }

    bool Write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        DWORD accepted = 0;
        const BOOL ok = WritePrinter(m_printer, const_cast<std::uint8_t*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()), &accepted);
        written = accepted;
        return ok || Failed();
    }

    bool EndPage() override { return EndPagePrinter(m_printer) || Failed(); }
    bool EndDoc() override { return EndDocPrinter(m_printer) || Failed(); }

    bool CancelJob(std::int32_t jobId) override {
        return SetJobA(m_printer, static_cast<DWORD>(jobId), 0, nullptr, JOB_CONTROL_CANCEL) || Failed();
    }

    bool Close() override {
        if (!m_printer) return true;
        if (!ClosePrinter(m_printer)) return Failed();
        m_printer = nullptr;
        return true;
    }

private:
    bool Failed() {
        m_lastError->Take();
        return false;
    }

    HANDLE m_printer;
    std::shared_ptr<Win32Spooler::LastError> m_lastError;
};

}  // namespace

void Win32Spooler::LastError::Take() { code = GetLastError(); }

Win32Spooler::Win32Spooler() : m_lastError(std::make_shared<LastError>()) {}

bool Win32Spooler::EnumLocalQueues(std::vector<QueueInfo>& queues) {
    queues.clear();
    DWORD needed = 0;
    DWORD count = 0;
    // The first call only learns the size; with no queue at all it succeeds with nothing.
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        m_lastError->Take();
        return false;
    }
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        m_lastError->Take();
        return false;
    }
    const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) queues.push_back(QueueInfoOf(records[i]));
    return true;
}

std::unique_ptr<ISpoolerQueue> Win32Spooler::OpenQueue(std::string_view name) {
    std::string queue(name);
    HANDLE printer = nullptr;
    if (!OpenPrinterA(queue.data(), &printer, nullptr)) {
        m_lastError->Take();
        return nullptr;
    }
    return std::make_unique<Win32SpoolerQueue>(printer, m_lastError);
}

std::string Win32Spooler::LastErrorText() { return SystemText(m_lastError->code); }

}  // namespace zt40
