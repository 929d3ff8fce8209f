#include "editors/RemoteDialRules.h"

#include <string>
#include <vector>

#include "texts/SettingTextEncode.h"

bool IsDialingData(std::string_view dial) {
    static constexpr std::string_view kLetters = "ABCDEIOPQRTUWXY";
    if (dial.empty() || dial.size() > kMaxDialingData) return false;
    for (char c : dial) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        const bool ok = (c >= '0' && c <= '9') || c == '*' || c == '#' || c == '-' ||
                        (upper >= 'A' && upper <= 'Z' && kLetters.find(upper) != std::string_view::npos);
        if (!ok) return false;
    }
    return true;
}

RemoteDialFault CheckRemoteDial(const SettingData& model, int exchange, int master, std::string_view dial) {
    if (exchange < 1 || exchange > model.System.SwitchCnt || exchange > kMaxExchanges) return RemoteDialFault::Exchange;
    if (master < 1 || master > kMastersPerExchange) return RemoteDialFault::Master;
    if (!model.Exchange(exchange).Master[master - 1].Assigned()) return RemoteDialFault::NotRegistered;
    if (!IsDialingData(dial)) return RemoteDialFault::TelNo;
    return RemoteDialFault::None;
}

const char* RemoteDialMessage(RemoteDialFault fault) {
    switch (fault) {
    case RemoteDialFault::Exchange: return "Incorrect exchange No.";
    case RemoteDialFault::Master: return kIncorrectMasterNoText;
    case RemoteDialFault::NotRegistered: return kNotRegisteredText;
    case RemoteDialFault::TelNo: return kIncorrectTelNoText;
    default: return "";
    }
}

void UpdateDialHistory(RemoteDialData& history, uint8_t& modified, std::string_view dial) {
    const int count = history.TelCnt > kRemoteDialNumbers ? kRemoteDialNumbers : history.TelCnt;
    std::vector<std::string> items;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        if (history.TelNo[i] == dial) found = true;
        else items.push_back(history.TelNo[i].Str());
    }
    if (!found) {
        if (items.size() >= kRemoteDialNumbers) items.resize(kRemoteDialNumbers - 1);
        modified = 1;
    }
    items.insert(items.begin(), std::string(dial));
    history = RemoteDialData{};
    history.TelCnt = static_cast<uint8_t>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) history.TelNo[i] = items[i];
}

EncodedText RemoteDialText(const SettingData& model, int exchange, int master, std::string_view dial) {
    return EncodeSettingText('N', EncodeRequest{model, exchange, master, 0, -1, dial.substr(0, kMaxDialingData)});
}
