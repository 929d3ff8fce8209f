#include "texts/SettingTextEncode.h"

#include "core/Clock.h"
#include "core/Decimal.h"

namespace {
using Pos = std::size_t;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Every text opens with its letter and the exchange position.
TextWriter Open(EncodedText& out, std::size_t length, char letter, int exchange) {
    TextWriter w(out, length);
    w.Raw(0, std::string_view(&letter, 1), 1);
    w.Digits(1, exchange, 2);
    return w;
}

// A station number goes out as six spaces while it is not assigned.
void StationNumber(TextWriter& w, Pos pos, int32_t value, const FixedText<6>& number) {
    if (value == kNotAssigned)
        w.Spaces(pos, 6);
    else
        w.Chars(pos, number.View(), 6);
}

bool Written(const MemberRef& m) { return m.Exchange != 0 && m.Station != 0; }

// Non-empty members packed from `pos`, each as D2 exchange and a station of
// stationWidth digits; returns how many were written.
int Members(TextWriter* w, Pos pos, const MemberRef* refs, int count, int stationWidth) {
    int n = 0;
    const Pos step = static_cast<Pos>(2 + stationWidth);
    for (int i = 0; i < count; ++i) {
        if (!Written(refs[i])) continue;
        if (w) {
            w->Digits(pos + step * static_cast<Pos>(n), refs[i].Exchange, 2);
            w->Digits(pos + step * static_cast<Pos>(n) + 2, refs[i].Station, stationWidth);
        }
        ++n;
    }
    return n;
}

// E and L: master, count, members as D2 + D1.
void MemberText(EncodedText& out, char letter, int e, int master, const MemberRef* refs, int count) {
    const int n = Members(nullptr, 0, refs, count, 1);
    TextWriter w = Open(out, 6 + 3 * static_cast<Pos>(n), letter, e);
    w.Digits(3, master, 1);
    w.Digits(4, n, 2);
    Members(&w, 6, refs, count, 1);
}

void EncodeA(const EncodeRequest& r, EncodedText& out) {
    const SystemData& sys = r.Data.System;
    const int exchanges = sys.SwitchCnt < kMaxExchanges ? sys.SwitchCnt : kMaxExchanges;
    TextWriter w = Open(out, 25 + 6 * static_cast<Pos>(exchanges), 'A', r.Exchange);
    const ClockReading now = ClockNow();
    w.Digits(3, now.Year, 4);
    w.Digits(7, now.Month, 2);
    w.Digits(9, now.Day, 2);
    w.Digits(11, now.Hour, 2);
    w.Digits(13, now.Minute, 2);
    w.Digits(15, now.Second, 2);
    w.Digits(17, now.Weekday + 1, 1);
    w.Digits(18, sys.SwitchCnt, 2);
    w.Digits(20, sys.NumberSize, 1);
    for (int t = 0; t < kTieLines; ++t) w.Digits(21 + static_cast<Pos>(t), sys.TieLine[t], 1);
    for (int i = 0; i < exchanges; ++i) w.Chars(25 + 6 * static_cast<Pos>(i), sys.SwNumber[i].Text.View(), 6);
}

void EncodeB(const EncodeRequest& r, EncodedText& out) {
    const MasterData& m = r.Data.Exchange(r.Exchange).Master[r.Index - 1];
    TextWriter w = Open(out, 40, 'B', r.Exchange);
    w.Digits(3, r.Index, 1);
    StationNumber(w, 4, m.NumberValue, m.Number);
    w.Chars(10, m.Name.View(), 8);
    w.Digits(18, m.LineTx, 1);
    w.Digits(19, m.Paging, 1);
    w.Chars(20, m.TelNo.View(), 20);
}

void EncodeC(const EncodeRequest& r, EncodedText& out) {
    const SubData& s = r.Data.Exchange(r.Exchange).Sub[r.Index - 1];
    TextWriter w = Open(out, 23, 'C', r.Exchange);
    w.Digits(3, r.Index, 2);
    StationNumber(w, 5, s.NumberValue, s.Number);
    w.Chars(11, s.Name.View(), 8);
    w.Digits(19, s.CallSwNo, 2);
    w.Digits(21, s.CallStNo, 1);
    w.Digits(22, s.Level, 1);
}

void EncodeD(const EncodeRequest& r, EncodedText& out) {
    const SwitchData& sw = r.Data.Exchange(r.Exchange);
    TextWriter w = Open(out, 53, 'D', r.Exchange);
    w.Digits(3, sw.LineCntLimit, 2);
    for (int l = 0; l < kLinesPerExchange; ++l) {
        const LineData& line = sw.Line[l];
        const Pos base = 24 * static_cast<Pos>(l);
        w.Chars(5 + base, line.Name.View(), 8);
        w.Digits(13 + base, line.TxNumberOnOff, 1);
        w.Digits(14 + base, line.TxNumber, 1);
        w.Digits(15 + base, line.RxDial, 1);
        // RxLine travels only as whether the receiving stations are sent.
        w.Digits(16 + base, line.RxLine ? kRxMasters : 0, 1);
        if (!line.RxLine) continue;
        for (int k = 0; k < kRxMasters; ++k) {
            w.Digits(17 + base + 3 * static_cast<Pos>(k), line.RxMaster[k].Exchange, 2);
            w.Digits(19 + base + 3 * static_cast<Pos>(k), line.RxMaster[k].Station, 1);
        }
    }
}

void EncodeF(const EncodeRequest& r, EncodedText& out) {
    const FunctionData& f = r.Data.Function[r.Exchange - 1];
    TextWriter w = Open(out, 19, 'F', r.Exchange);
    w.Digits(3, f.OutSend, 1);
    w.Digits(4, f.StartTime.Value >> 8, 2);
    w.Digits(6, f.StartTime.Value & 0xFF, 2);
    w.Digits(8, f.EndTime.Value >> 8, 2);
    w.Digits(10, f.EndTime.Value & 0xFF, 2);
    w.Digits(12, f.TalkSend, 1);
    w.Digits(13, f.CallCnt, 2);
    w.Digits(15, f.CallTime, 2);
    w.Digits(17, f.TalkTime / 10, 2);
}

void EncodeG(const EncodeRequest& r, EncodedText& out) {
    const MasterData& m = r.Data.Exchange(r.Exchange).Master[r.Index - 1];
    const int n = Members(nullptr, 0, m.ScanSub, kScanMembers, 2);
    TextWriter w = Open(out, 8 + 4 * static_cast<Pos>(n), 'G', r.Exchange);
    w.Digits(3, r.Index, 1);
    w.Digits(4, m.ScanTime, 2);
    w.Digits(6, n, 2);
    Members(&w, 8, m.ScanSub, kScanMembers, 2);
}

bool InZone(uint32_t zones, int zone) { return (zones >> (zone - 1)) & 1u; }

void EncodeH(const EncodeRequest& r, EncodedText& out) {
    const SwitchData& sw = r.Data.Exchange(r.Exchange);
    TextWriter w = Open(out, 72, 'H', r.Exchange);
    w.Digits(3, sw.ZoneSize, 1);
    // The time in tens of seconds: the first two characters of "%03d".
    char limit[24];
    FormatDecimalWidth(limit, sw.PagingTimeLimit, 3);
    w.Raw(4, std::string_view(limit, 2), 2);
    w.Digits(6, r.Index, 2);
    for (int s = 0; s < kSubsPerExchange; ++s) {
        const SubData& sub = sw.Sub[s];
        const bool excluded = !sub.Assigned() || sub.Level == 1;
        w.Digits(8 + static_cast<Pos>(s), !excluded && InZone(sub.Paging, r.Index), 1);
    }
}

void EncodeI(const EncodeRequest& r, EncodedText& out) {
    const SwitchData& sw = r.Data.Exchange(r.Exchange);
    TextWriter w = Open(out, 21, 'I', r.Exchange);
    w.Digits(3, r.Index, 2);
    for (int p = 0; p < kSpeakersPerExchange; ++p)
        w.Digits(5 + static_cast<Pos>(p), InZone(sw.SpeakerPaging[p], r.Index), 1);
}

void EncodeJ(const EncodeRequest& r, EncodedText& out) {
    const uint32_t* inputs = r.Data.System.OutInZone[r.Exchange - 1];
    TextWriter w = Open(out, 9, 'J', r.Exchange);
    w.Digits(3, r.Index, 2);
    for (int n = 0; n < kExternalInputs; ++n) w.Digits(5 + static_cast<Pos>(n), InZone(inputs[n], r.Index), 1);
}

bool EncodeK(const EncodeRequest& r, EncodedText& out) {
    int rows = r.Rows < 0 ? DialRowsInUse(r.Data, r.Exchange, r.Index) : r.Rows;
    if (rows > kDialRows) rows = kDialRows;
    const int texts = DialTextCount(rows);
    if (!InRange(r.Block, 0, texts - 1)) return false;
    const int first = kDialRowsPerText * r.Block;
    const int n = rows - first < kDialRowsPerText ? rows - first : kDialRowsPerText;
    const int position = texts == 1 ? 3 : r.Block == 0 ? 1 : r.Block == texts - 1 ? 2 : 0;

    const DialEntry* entries = r.Data.DirectSelect.Rows[r.Exchange - 1][r.Index - 1];
    TextWriter w = Open(out, 12 + 24 * static_cast<Pos>(n), 'K', r.Exchange);
    w.Digits(3, r.Index, 1);
    w.Digits(4, r.Data.DirectSelect.ShotT[r.Exchange - 1][r.Index - 1], 1);
    w.Digits(5, rows, 4);
    w.Digits(9, position, 1);
    w.Digits(10, n, 2);
    for (int k = 0; k < n; ++k) {
        const Pos base = 12 + 24 * static_cast<Pos>(k);
        const DialEntry& row = entries[first + k];
        w.Digits(base, first + k + 1, 4);
        w.Chars(base + 4, row.Dial.View(), 16);
        w.CharsRight(base + 20, row.Shot.View(), 4);
    }
    return true;
}

// Where a forwarding number leads: a station carrying it, or for a single
// digit the C/O line of the same exchange with that specific number.
struct Target {
    int Exchange = 0;
    int Position = 0;
    std::string_view Name;
};

bool FindTarget(const SettingData& data, int exchange, std::string_view number, Target& t) {
    if (number.size() > 1) {
        const int exchanges = data.System.SwitchCnt < kMaxExchanges ? data.System.SwitchCnt : kMaxExchanges;
        for (int e = 1; e <= exchanges; ++e)
            for (int m = 0; m < kMastersPerExchange; ++m) {
                const MasterData& st = data.Exchange(e).Master[m];
                if (st.Assigned() && st.Number.View() == number) {
                    t = {e, m + 1, st.Name.View()};
                    return true;
                }
            }
        for (int e = 1; e <= exchanges; ++e)
            for (int s = 0; s < kSubsPerExchange; ++s) {
                const SubData& st = data.Exchange(e).Sub[s];
                if (st.Assigned() && st.Number.View() == number) {
                    t = {e, s + 1, st.Name.View()};
                    return true;
                }
            }
        return false;
    }
    if (number.size() == 1 && number[0] >= '0' && number[0] <= '9') {
        const int digit = number[0] - '0';
        for (int l = 0; l < kLinesPerExchange; ++l) {
            const LineData& line = data.Exchange(exchange).Line[l];
            if (line.TxNumberOnOff == 1 && line.TxNumber == digit) {
                t = {exchange, l + 1, line.Name.View()};
                return true;
            }
        }
    }
    return false;
}

void EncodeU(const EncodeRequest& r, EncodedText& out) {
    const MasterData& m = r.Data.Exchange(r.Exchange).Master[r.Index - 1];
    const FixedText<6>* numbers[] = {&m.AbsenceTelNo, &m.AutoAbsenceTelNo, &m.CnvTelNo, &m.NonRespTelNo};
    TextWriter w = Open(out, 72, 'U', r.Exchange);
    w.Digits(3, r.Index, 1);
    Pos base = 4;
    for (const FixedText<6>* number : numbers) {
        w.Chars(base, number->View(), 6);
        Target t;
        if (FindTarget(r.Data, r.Exchange, number->View(), t)) {
            w.Digits(base + 6, t.Exchange, 2);
            w.Digits(base + 8, t.Position, 1);
            w.Chars(base + 9, t.Name, 8);
        } else {
            w.Spaces(base + 6, 11);
        }
        base += 17;
    }
}

// Which second index each letter takes, and its range.
bool IndexValid(char letter, const EncodeRequest& r) {
    switch (letter) {
        case 'B': case 'E': case 'G': case 'K': case 'L': case 'T': case 'U':
            return InRange(r.Index, 1, kMastersPerExchange);
        case 'C': return InRange(r.Index, 1, kSubsPerExchange);
        case 'H': case 'I': case 'J': return InRange(r.Index, 1, kZones);
        case 'N': return r.Index >= 0;
        default: return true;
    }
}
}  // namespace

int DialRowsInUse(const SettingData& data, int exchange, int master) {
    if (!InRange(exchange, 1, kMaxExchanges) || !InRange(master, 1, kMastersPerExchange)) return 0;
    const DialEntry* rows = data.DirectSelect.Rows[exchange - 1][master - 1];
    for (int i = kDialRows; i > 0; --i)
        if (!rows[i - 1].Dial.Empty() || !rows[i - 1].Shot.Empty()) return i;
    return 0;
}

int DialTextCount(int rows) { return rows <= kDialRowsPerText ? 1 : (rows + kDialRowsPerText - 1) / kDialRowsPerText; }

bool EncodeSettingText(char letter, const EncodeRequest& r, EncodedText& out) {
    out.Length = 0;
    const bool toAll = letter == 'A' || letter == 'Q';
    if (!InRange(r.Exchange, toAll ? 0 : 1, kMaxExchanges) || !IndexValid(letter, r)) return false;
    switch (letter) {
        case 'A': EncodeA(r, out); break;
        case 'B': EncodeB(r, out); break;
        case 'C': EncodeC(r, out); break;
        case 'D': EncodeD(r, out); break;
        case 'E': {
            const MasterData& m = r.Data.Exchange(r.Exchange).Master[r.Index - 1];
            MemberText(out, 'E', r.Exchange, r.Index, m.GroupMaster, kGroupMembers);
            break;
        }
        case 'F': EncodeF(r, out); break;
        case 'G': EncodeG(r, out); break;
        case 'H': EncodeH(r, out); break;
        case 'I': EncodeI(r, out); break;
        case 'J': EncodeJ(r, out); break;
        case 'K': return EncodeK(r, out);
        case 'L': {
            const MasterData& m = r.Data.Exchange(r.Exchange).Master[r.Index - 1];
            MemberText(out, 'L', r.Exchange, r.Index, m.MeetMaster, kMeetMembers);
            break;
        }
        case 'M': Open(out, 4, 'M', r.Exchange).Digits(3, r.Data.DirectSelect.OutMode[r.Exchange - 1], 1); break;
        case 'N': {
            TextWriter w = Open(out, 36, 'N', r.Exchange);
            w.Digits(3, r.Index, 1);
            w.Chars(4, r.Extra, 32);
            break;
        }
        case 'O': case 'P': Open(out, 19, letter, r.Exchange).Raw(3, r.Extra, 16); break;
        case 'Q': Open(out, 3, 'Q', r.Exchange); break;
        case 'T': Open(out, 4, 'T', r.Exchange).Digits(3, r.Index, 1); break;
        case 'U': EncodeU(r, out); break;
        default: return false;
    }
    return true;
}

EncodedText EncodeSettingText(char letter, const EncodeRequest& request) {
    EncodedText out;
    EncodeSettingText(letter, request, out);
    return out;
}
