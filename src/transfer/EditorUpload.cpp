#include "transfer/EditorUpload.h"

std::vector<EditorUploadStep> SystemUploadSteps() { return {{'A', 0, 0}}; }

std::vector<EditorUploadStep> ExchangeUploadSteps(const SettingData& model, char letter) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    std::vector<EditorUploadStep> steps;
    for (int e = 1; e <= count; ++e) steps.push_back({letter, e, 0});
    return steps;
}

std::vector<EditorUploadStep> StationUploadSteps(const SettingData& model, int page, int selection) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    std::vector<EditorUploadStep> steps;
    if (count < 1 || selection < 0 || selection > count) return steps;
    auto add = [&](char letter, int first, int last, int perExchange) {
        for (int e = first; e <= last; ++e)
            for (int i = 1; i <= perExchange; ++i) steps.push_back({letter, e, i});
    };
    const int first = selection == 0 ? 1 : selection;
    const int last = selection == 0 ? count : selection;
    if (page == 0) {
        // As the whole upload does for one exchange: the masters of every
        // exchange, then the U texts of the exchange chosen.
        add('B', 1, count, kMastersPerExchange);
        add('U', first, last, kMastersPerExchange);
    } else {
        add('C', first, last, kSubsPerExchange);
    }
    return steps;
}

std::vector<EncodedText> EncodeUploadSteps(const SettingData& data, const std::vector<EditorUploadStep>& steps) {
    std::vector<EncodedText> texts;
    texts.reserve(steps.size());
    for (const EditorUploadStep& s : steps) {
        EncodedText text;
        if (EncodeSettingText(s.Letter, EncodeRequest{data, s.Exchange, s.Index}, text)) texts.push_back(text);
    }
    return texts;
}

std::vector<EditorUploadStep> MemberUploadSteps(const SettingData& model, char letter) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    std::vector<EditorUploadStep> steps;
    for (int e = 1; e <= count; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) steps.push_back({letter, e, m});
    return steps;
}

std::vector<EditorUploadStep> PagingUploadSteps(const SettingData& model, int page, int selection) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    std::vector<EditorUploadStep> steps;
    if (page < 0 || page > 2 || selection < 0 || selection > count) return steps;
    const char letter = "HIJ"[page];
    const int first = selection == 0 ? 1 : selection;
    const int last = selection == 0 ? count : selection;
    for (int e = first; e <= last; ++e)
        for (int z = 1; z <= kZones; ++z) steps.push_back({letter, e, z});
    return steps;
}
