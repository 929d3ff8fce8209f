#include "texts/SettingTextDecode.h"

#include "texts/SettingTextEncode.h"
#include "texts/SettingTextFields.h"
#include "core/Decimal.h"
#include "model/ClockTimeText.h"

namespace {
using Pos = std::size_t;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Digits are stored cut to the field's width, as the settings file does.
uint8_t U8(int32_t v) { return static_cast<uint8_t>(v); }

// A members text (E, G, L): its count must fit the list and the text must
// hold every member it announces.
bool MembersFit(const TextReader& r, Pos countAt, int capacity, Pos first, Pos step) {
    const int n = r.Digits(countAt, 2);
    return InRange(n, 0, capacity) && r.Size() >= first + step * static_cast<Pos>(n);
}

bool Check(std::string_view text, TextRecordKey& key) {
    if (text.size() < 3) return false;
    const TextReader r(text);
    key = TextRecordKey{text[0], r.Digits(1, 2), 0, 0};
    const bool master = r.Size() > 3 && InRange(r.Digits(3, 1), 1, kMastersPerExchange);
    switch (key.Letter) {
        case 'A': {
            // Installation-wide; "00" is the address of every exchange.
            if (!InRange(key.Exchange, 0, kMaxExchanges) || r.Size() < 25) return false;
            const int count = r.Digits(18, 2);
            key.Exchange = 0;
            return InRange(count, 1, kMaxExchanges) && r.Size() >= 25 + 6 * static_cast<Pos>(count);
        }
        default: break;
    }
    if (!InRange(key.Exchange, 1, kMaxExchanges)) return false;
    switch (key.Letter) {
        case 'B': case 'U':
            key.Index = r.Digits(3, 1);
            return master && r.Size() >= (key.Letter == 'B' ? 40u : 72u);
        case 'C':
            key.Index = r.Digits(3, 2);
            return InRange(key.Index, 1, kSubsPerExchange) && r.Size() >= 23;
        case 'D':
            return r.Size() >= 53 && InRange(r.Digits(16, 1), 0, kRxMasters) && InRange(r.Digits(40, 1), 0, kRxMasters);
        case 'E': case 'L':
            key.Index = r.Digits(3, 1);
            return master && MembersFit(r, 4, key.Letter == 'E' ? kGroupMembers : kMeetMembers, 6, 3);
        case 'F': return r.Size() >= 19;
        case 'G':
            key.Index = r.Digits(3, 1);
            return master && MembersFit(r, 6, kScanMembers, 8, 4);
        case 'H':
            key.Index = r.Digits(6, 2);
            return r.Size() >= 72 && InRange(key.Index, 1, kZones);
        case 'I': case 'J':
            key.Index = r.Digits(3, 2);
            return r.Size() >= (key.Letter == 'I' ? 21u : 9u) && InRange(key.Index, 1, kZones);
        case 'K': {
            key.Index = r.Digits(3, 1);
            if (!master || !MembersFit(r, 10, kDialRowsPerText, 12, 24)) return false;
            const int n = r.Digits(10, 2);
            for (int k = 0; k < n; ++k)
                if (!InRange(r.Digits(12 + 24 * static_cast<Pos>(k), 4), 1, kDialRows)) return false;
            key.Block = n ? (r.Digits(12, 4) - 1) / kDialRowsPerText : 0;
            return true;
        }
        case 'M': return r.Size() >= 4;
        default: return false;
    }
}

// A station number field: blank means not assigned.
bool ReadNumber(const TextReader& r, Pos pos, int32_t& value, FixedText<6>& number) {
    const std::string_view text = r.Chars(pos, 6);
    if (text.empty()) {
        value = kNotAssigned;
        number = "-1";
        return false;
    }
    number = text;
    value = ParseDecimal(text);
    return true;
}

void ReadMembers(const TextReader& r, Pos countAt, Pos first, int stationWidth, MemberRef* refs, int capacity) {
    const int n = r.Digits(countAt, 2);
    const Pos step = static_cast<Pos>(2 + stationWidth);
    for (int k = 0; k < capacity; ++k) {
        MemberRef& m = refs[k];
        m.Position = U8(k + 1);
        if (k < n) {
            m.Exchange = U8(r.Digits(first + step * static_cast<Pos>(k), 2));
            m.Station = U8(r.Digits(first + step * static_cast<Pos>(k) + 2, stationWidth));
        } else {
            m.Exchange = m.Station = 0;
        }
    }
}

void DecodeA(SettingData& d, const TextReader& r) {
    SystemData& sys = d.System;
    sys.SwitchCnt = U8(r.Digits(18, 2));
    sys.NumberSize = U8(r.Digits(20, 1));
    for (int t = 0; t < kTieLines; ++t) sys.TieLine[t] = U8(r.Digits(21 + static_cast<Pos>(t), 1));
    for (int i = 0; i < sys.SwitchCnt; ++i) {
        SwNumberRec& rec = sys.SwNumber[i];
        rec.Position = U8(i + 1);
        ReadNumber(r, 25 + 6 * static_cast<Pos>(i), rec.Value, rec.Text);
    }
}

void DecodeB(SettingData& d, const TextReader& r, int e, int index) {
    MasterData& m = d.Exchange(e).Master[index - 1];
    const bool assigned = ReadNumber(r, 4, m.NumberValue, m.Number);
    m.Name = assigned ? r.Chars(10, 8) : std::string_view();
    m.LineTx = assigned ? U8(r.Digits(18, 1)) : 0;
    m.Paging = assigned ? U8(r.Digits(19, 1)) : 0;
    m.TelNo = assigned ? r.Chars(20, 20) : std::string_view();
}

void DecodeC(SettingData& d, const TextReader& r, int e, int index) {
    SubData& s = d.Exchange(e).Sub[index - 1];
    const bool assigned = ReadNumber(r, 5, s.NumberValue, s.Number);
    s.Name = assigned ? r.Chars(11, 8) : std::string_view();
    s.CallSwNo = U8(r.Digits(19, 2));
    s.CallStNo = assigned ? U8(r.Digits(21, 1)) : 0;
    s.Level = assigned ? U8(r.Digits(22, 1)) : 0;
}

void DecodeD(SettingData& d, const TextReader& r, int e) {
    SwitchData& sw = d.Exchange(e);
    sw.LineCntLimit = U8(r.Digits(3, 2));
    for (int l = 0; l < kLinesPerExchange; ++l) {
        LineData& line = sw.Line[l];
        const Pos base = 24 * static_cast<Pos>(l);
        line.Name = r.Chars(5 + base, 8);
        line.TxNumberOnOff = U8(r.Digits(13 + base, 1));
        line.TxNumber = U8(r.Digits(14 + base, 1));
        line.RxDial = U8(r.Digits(15 + base, 1));
        const int count = r.Digits(16 + base, 1);
        line.RxLine = count != 0;
        // Without receiving stations the text says nothing about the list.
        if (!count) continue;
        for (int k = 0; k < kRxMasters; ++k) {
            MemberRef& m = line.RxMaster[k];
            m.Position = U8(k + 1);
            m.Exchange = k < count ? U8(r.Digits(17 + base + 3 * static_cast<Pos>(k), 2)) : 0;
            m.Station = k < count ? U8(r.Digits(19 + base + 3 * static_cast<Pos>(k), 1)) : 0;
            // The display copy of the referenced master, as the settings file fills it.
            const bool known = InRange(m.Exchange, 1, kMaxExchanges) && InRange(m.Station, 1, kMastersPerExchange);
            const MasterData* target = known ? &d.Exchange(m.Exchange).Master[m.Station - 1] : nullptr;
            line.RxMasterNumber[k] = target ? target->NumberValue : kNotAssigned;
            line.RxMasterName[k] = target ? target->Name.View() : std::string_view();
        }
    }
}

void DecodeF(SettingData& d, const TextReader& r, int e) {
    FunctionData& f = d.Function[e - 1];
    f.OutSend = U8(r.Digits(3, 1));
    f.StartTime.Value = static_cast<uint16_t>(U8(r.Digits(4, 2)) << 8 | U8(r.Digits(6, 2)));
    f.StartTime.Text = PairToText(f.StartTime.Value, ':');
    f.EndTime.Value = static_cast<uint16_t>(U8(r.Digits(8, 2)) << 8 | U8(r.Digits(10, 2)));
    f.EndTime.Text = PairToText(f.EndTime.Value, ':');
    f.TalkSend = U8(r.Digits(12, 1));
    f.CallCnt = U8(r.Digits(13, 2));
    f.CallTime = U8(r.Digits(15, 2));
    f.TalkTime = static_cast<uint16_t>(r.Digits(17, 2) * 10);
}

void SetZone(uint32_t& zones, int zone, bool in) {
    const uint32_t bit = 1u << (zone - 1);
    zones = in ? zones | bit : zones & ~bit;
}

void DecodeH(SettingData& d, const TextReader& r, int e, int zone) {
    SwitchData& sw = d.Exchange(e);
    sw.ZoneSize = U8(r.Digits(3, 1));
    sw.PagingTimeLimit = static_cast<uint32_t>(r.Digits(4, 2) * 10);
    for (int s = 0; s < kSubsPerExchange; ++s) SetZone(sw.Sub[s].Paging, zone, r.Digits(8 + static_cast<Pos>(s), 1) != 0);
}

void DecodeU(SettingData& d, const TextReader& r, int e, int index) {
    MasterData& m = d.Exchange(e).Master[index - 1];
    FixedText<6>* numbers[] = {&m.AbsenceTelNo, &m.AutoAbsenceTelNo, &m.CnvTelNo, &m.NonRespTelNo};
    for (int b = 0; b < 4; ++b) *numbers[b] = r.Chars(4 + 17 * static_cast<Pos>(b), 6);
}
}  // namespace

bool IdentifySettingText(std::string_view text, TextRecordKey& key) {
    return Check(text, key);
}

DecodeResult DecodeSettingText(SettingData& d, std::string_view text) {
    DecodeResult result;
    TextRecordKey key;
    if (!Check(text, key) || key.Letter == 'K') return result;
    const TextReader r(text);
    const int e = key.Exchange;
    switch (key.Letter) {
        case 'A': DecodeA(d, r); break;
        case 'B': DecodeB(d, r, e, key.Index); break;
        case 'C': DecodeC(d, r, e, key.Index); break;
        case 'D': DecodeD(d, r, e); break;
        case 'E': ReadMembers(r, 4, 6, 1, d.Exchange(e).Master[key.Index - 1].GroupMaster, kGroupMembers); break;
        case 'F': DecodeF(d, r, e); break;
        case 'G':
            d.Exchange(e).Master[key.Index - 1].ScanTime = U8(r.Digits(4, 2));
            ReadMembers(r, 6, 8, 2, d.Exchange(e).Master[key.Index - 1].ScanSub, kScanMembers);
            break;
        case 'H': DecodeH(d, r, e, key.Index); break;
        case 'I':
            for (int p = 0; p < kSpeakersPerExchange; ++p)
                SetZone(d.Exchange(e).SpeakerPaging[p], key.Index, r.Digits(5 + static_cast<Pos>(p), 1) != 0);
            break;
        case 'J':
            for (int n = 0; n < kExternalInputs; ++n)
                SetZone(d.System.OutInZone[e - 1][n], key.Index, r.Digits(5 + static_cast<Pos>(n), 1) != 0);
            break;
        case 'L': ReadMembers(r, 4, 6, 1, d.Exchange(e).Master[key.Index - 1].MeetMaster, kMeetMembers); break;
        case 'M': d.DirectSelect.OutMode[e - 1] = U8(r.Digits(3, 1)); break;
        case 'U': DecodeU(d, r, e, key.Index); break;
        default: return result;
    }
    result.Applied = true;
    result.SwitchCnt = d.System.SwitchCnt;
    return result;
}

bool DecodeDialingAssignmentText(SettingData& d, std::string_view text) {
    TextRecordKey key;
    if (!Check(text, key) || key.Letter != 'K') return false;
    const TextReader r(text);
    d.DirectSelect.ShotT[key.Exchange - 1][key.Index - 1] = U8(r.Digits(4, 1));
    DialEntry* rows = d.DirectSelect.Rows[key.Exchange - 1][key.Index - 1];
    const int n = r.Digits(10, 2);
    for (int k = 0; k < n; ++k) {
        const Pos base = 12 + 24 * static_cast<Pos>(k);
        DialEntry& row = rows[r.Digits(base, 4) - 1];
        row.Dial = r.Chars(base + 4, 16);
        row.Shot = r.CharsTrimmed(base + 20, 4);
    }
    return true;
}
