#include "texts/SettingTextSequence.h"

namespace {
struct Section {
    char Letter;
    int PerExchange;  // records per exchange
    bool EveryExchange;  // sent for every exchange even when one is selected
};

// Upload order; the release closes it.
constexpr Section kSections[] = {
    {'A', 0, false}, {'B', 4, true}, {'C', 64, false}, {'D', 1, false}, {'E', 4, false},
    {'F', 1, false}, {'G', 4, false}, {'H', 19, false}, {'I', 19, false}, {'J', 19, false},
    {'U', 4, false}, {'L', 4, false}, {'M', 1, false},
};

int Exchanges(int switchCnt) { return switchCnt < 0 ? 0 : switchCnt > kMaxExchanges ? kMaxExchanges : switchCnt; }

int SectionSize(const Section& s, int n, int selected) {
    if (s.PerExchange == 0) return 1;
    return s.PerExchange * (selected == 0 || s.EveryExchange ? n : 1);
}
}  // namespace

int UploadTextCount(int switchCnt, int selected) {
    const int n = Exchanges(switchCnt);
    int total = 1;  // the release
    for (const Section& s : kSections) total += SectionSize(s, n, selected);
    return total;
}

bool UploadStepAt(int switchCnt, int selected, int counter, UploadStep& step) {
    const int n = Exchanges(switchCnt);
    if (selected < 0 || selected > n || counter < 1) return false;
    int i = counter - 1;
    for (const Section& s : kSections) {
        const int size = SectionSize(s, n, selected);
        if (i >= size) {
            i -= size;
            continue;
        }
        step.Letter = s.Letter;
        if (s.PerExchange == 0) {
            step.Exchange = 0;
            step.Index = 0;
        } else {
            const bool perExchange = selected == 0 || s.EveryExchange;
            step.Exchange = perExchange ? i / s.PerExchange + 1 : selected;
            step.Index = s.PerExchange == 1 ? 0 : i % s.PerExchange + 1;
        }
        return true;
    }
    if (i != 0) return false;
    step = UploadStep{};
    return true;
}

bool EncodeUploadText(const SettingData& data, int selected, int counter, EncodedText& out) {
    out.Length = 0;
    UploadStep step;
    if (!UploadStepAt(data.System.SwitchCnt, selected, counter, step) || step.Letter == 0) return false;
    return EncodeSettingText(step.Letter, EncodeRequest{data, step.Exchange, step.Index}, out);
}
