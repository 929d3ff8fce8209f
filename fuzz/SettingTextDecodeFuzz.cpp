// Arbitrary texts, one per line, into the download and dialing assignment
// decoders: nothing may crash, every text of the model must stay within its
// capacity, and any record a text was accepted for must encode into a text
// that names the same record again.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"

namespace {
template <std::size_t N>
void Fits(const FixedText<N>& t) {
    if (t.Chars[N] != 0) std::abort();
}

// Only exchanges a text was accepted for can change; checking those keeps
// the harness's own loops from dominating the run time.
void CheckCapacities(const SettingData& d, const bool (&touched)[kMaxExchanges],
                     const bool (&rowsTouched)[kMaxExchanges][kMastersPerExchange]) {
    for (const SwNumberRec& n : d.System.SwNumber) Fits(n.Text);
    for (int e = 0; e < kMaxExchanges; ++e) {
        if (!touched[e]) continue;
        Fits(d.Function[e].StartTime.Text), Fits(d.Function[e].EndTime.Text);
        const SwitchData& sw = d.Switch[e];
        for (const LineData& l : sw.Line) {
            Fits(l.Name);
            for (const auto& name : l.RxMasterName) Fits(name);
        }
        for (const MasterData& m : sw.Master) {
            Fits(m.Number), Fits(m.Name), Fits(m.TelNo), Fits(m.AbsenceTelNo);
            Fits(m.AutoAbsenceTelNo), Fits(m.CnvTelNo), Fits(m.NonRespTelNo);
        }
        for (const SubData& s : sw.Sub) Fits(s.Number), Fits(s.Name);
        for (int m = 0; m < kMastersPerExchange; ++m)
            if (rowsTouched[e][m])
                for (const DialEntry& row : d.DirectSelect.Rows[e][m]) Fits(row.Dial), Fits(row.Shot);
    }
}

// An accepted record encodes into a text that the decoder takes for the same record.
void CheckReencode(const SettingData& d, const TextRecordKey& key) {
    if (key.Letter == 'K') return;  // the blocks follow the rows in use, not the text
    EncodedText out;
    if (!EncodeSettingText(key.Letter, EncodeRequest{d, key.Exchange, key.Index, key.Block}, out)) std::abort();
    TextRecordKey again;
    if (!IdentifySettingText(out.View(), again) || again.Letter != key.Letter || again.Exchange != key.Exchange ||
        again.Index != key.Index)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // Every run starts from the defaults; after it only what its texts could
    // write is put back (restoring all switches took a tenth of the run time).
    static const std::unique_ptr<SettingData> defaults = MakeSettingData();
    static std::unique_ptr<SettingData> data = MakeSettingData();
    bool touched[kMaxExchanges] = {};
    bool rowsTouched[kMaxExchanges][kMastersPerExchange] = {};
    std::string_view input(reinterpret_cast<const char*>(bytes), size);
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        const std::string_view text = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);

        TextRecordKey key;
        const bool known = IdentifySettingText(text, key);
        const bool applied = DecodeSettingText(*data, text).Applied;
        const bool rows = DecodeDialingAssignmentText(*data, text);
        if (applied + rows != known) std::abort();
        if (rows) rowsTouched[key.Exchange - 1][key.Index - 1] = true;
        if (known && key.Exchange > 0) touched[key.Exchange - 1] = true;
        if (known) CheckReencode(*data, key);
    }
    CheckCapacities(*data, touched, rowsTouched);
    data->System = defaults->System;
    std::memcpy(data->DirectSelect.OutMode, defaults->DirectSelect.OutMode, sizeof data->DirectSelect.OutMode);
    std::memcpy(data->DirectSelect.ShotT, defaults->DirectSelect.ShotT, sizeof data->DirectSelect.ShotT);
    for (int e = 0; e < kMaxExchanges; ++e) {
        if (touched[e]) data->Function[e] = defaults->Function[e], data->Switch[e] = defaults->Switch[e];
        for (int m = 0; m < kMastersPerExchange; ++m)
            if (rowsTouched[e][m])
                std::copy(std::begin(defaults->DirectSelect.Rows[e][m]), std::end(defaults->DirectSelect.Rows[e][m]),
                          data->DirectSelect.Rows[e][m]);
    }
    return 0;
}
