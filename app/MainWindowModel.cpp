#include "app/MainWindowModel.h"

namespace zt40 {

namespace {

constexpr Text kLastRead = ZT40_TR("CPinwardenDlg", "Not connected: last read %1");

}  // namespace

std::optional<Message> LastReadNote(const DialogData& data) {
    if (data.connected || data.lastRead.empty()) return std::nullopt;
    return Message::Of(kLastRead, {data.lastRead});
}

Message BarTip(const DialogData& data, std::size_t k) {
    if (k >= data.shownUsage.size()) return {};
    Message tip = UsageTip(static_cast<int>(k) + kFirstPin, data.shownUsage[k]);
    for (auto more : {ForecastText(data.forecast[k]), LastReadNote(data)}) {
        if (!more) continue;
        more->ownLine = true;
        tip.then.push_back(std::move(*more));
    }
    return tip;
}

}  // namespace zt40
