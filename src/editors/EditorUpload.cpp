#include "editors/EditorUpload.h"

std::vector<EditorUploadStep> SystemUploadSteps() { return {{'A', 0, 0}}; }

std::vector<EditorUploadStep> StationUploadSteps(const SettingData& model, int page, int selection) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    int first = selection, last = selection;
    if (selection == 0) {
        first = 1;
        last = count;
    }
    std::vector<EditorUploadStep> steps;
    if (first < 1 || last > kMaxExchanges) return steps;
    auto add = [&](char letter, int perExchange) {
        for (int e = first; e <= last; ++e)
            for (int i = 1; i <= perExchange; ++i) steps.push_back({letter, e, i});
    };
    if (page == 0) {
        add('B', kMastersPerExchange);
        add('U', kMastersPerExchange);
    } else {
        add('C', kSubsPerExchange);
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
