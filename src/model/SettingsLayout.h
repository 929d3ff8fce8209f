#pragma once
// The binding line sequence of the settings file, walked once by the writer and
// once by the reader, so the two can never disagree on order or keys.
//
// Io receives one call per line:
//   Line(key)                 a section line written as key, looked up as key
//   Section(written, lookup)  a section line written whole, looked up by its inner part
//   Skip(written)             a line written as given and skipped unread ([Function%d])
//   Optional(line)            written as given; when reading, true only if the line is exactly that
//   Num(key, field)           "%d" numbers of any unsigned width
//   Text(key, field)          texts up to the end of the line
//   Station(key, value, text) first station numbers and station numbers
//   Time(key, clock)          HH:MM
//   Member(key, ref, pos)     EE-SS
//   RxMember(key, line, i)    EE-SS plus the display copy of the referenced master
//   Ok()                      false once a line failed
#include <cstring>
#include <string_view>

#include "core/Decimal.h"
#include "model/SettingData.h"

// A key or section text built without formatting calls: the file has some
// 280,000 lines, each needs one.
class KeyText {
public:
    KeyText& Add(std::string_view s) {
        if (!s.empty()) std::memcpy(buf_ + len_, s.data(), s.size());
        len_ += static_cast<int>(s.size());
        return *this;
    }
    KeyText& Num(int v) { return Digits(v, 1); }
    KeyText& Num2(int v) { return Digits(v, 2); }
    std::string_view View() const { return std::string_view(buf_, static_cast<std::size_t>(len_)); }
    operator std::string_view() const { return View(); }

private:
    // Key numbers stay below 10000 (the dial rows reach 1024): those are
    // written inline, as the call per line cost a fifth of a read.
    KeyText& Digits(int v, int width) {
        if (v < 0 || v >= 10000) {
            len_ += FormatDecimalWidth(buf_ + len_, v, width);
            return *this;
        }
        int n = v < 10 ? 1 : v < 100 ? 2 : v < 1000 ? 3 : 4;
        if (n < width) n = width;
        for (int i = n - 1; i >= 0; --i, v /= 10) buf_[len_ + i] = static_cast<char>('0' + v % 10);
        len_ += n;
        return *this;
    }

    char buf_[64];
    int len_ = 0;
};

namespace settings_layout {

template <class Io>
void WalkMembers(Io& io, const char* name, MemberRef* refs, int count) {
    for (int i = 0; i < count; ++i) io.Member(KeyText().Add(name).Num2(i + 1).Add("="), refs[i], i + 1);
}

template <class Io>
void WalkExchange(Io& io, SettingData& d, int e) {
    SwitchData& sw = d.Switch[e - 1];
    KeyText swKey;
    swKey.Add("[Switch").Num2(e).Add("]");
    io.Line(swKey);
    io.Num("ZoneSize=", sw.ZoneSize);
    io.Num("PagingTimeLimit=", sw.PagingTimeLimit);
    io.Num("LineCntLimit=", sw.LineCntLimit);
    for (int l = 0; l < kLinesPerExchange; ++l) {
        LineData& line = sw.Line[l];
        KeyText inner;
        inner.Add("[Line").Num2(l + 1).Add("]");
        io.Section(KeyText().Add(swKey).Add(inner), inner);
        io.Text("Name=", line.Name);
        io.Num("TxNumberON/OFF=", line.TxNumberOnOff);
        io.Num("TxNumber=", line.TxNumber);
        io.Num("RxLine=", line.RxLine);
        io.Num("RxDial=", line.RxDial);
        for (int i = 0; i < kRxMasters; ++i) io.RxMember(KeyText().Add("RxMaster").Num2(i + 1).Add("="), line, i);
    }
    for (int m = 0; m < kMastersPerExchange; ++m) {
        MasterData& ms = sw.Master[m];
        KeyText inner;
        inner.Add("[Master").Num2(m + 1).Add("]");
        io.Section(KeyText().Add(swKey).Add(inner), inner);
        io.Station("Number=", ms.NumberValue, ms.Number);
        io.Text("Name=", ms.Name);
        io.Num("LineTx=", ms.LineTx);
        io.Num("Paging=", ms.Paging);
        io.Text("TelNo=", ms.TelNo);
        io.Text("AbsenceTelNo=", ms.AbsenceTelNo);
        io.Text("AutoAbsenceTelNo=", ms.AutoAbsenceTelNo);
        io.Text("CnvTelNo=", ms.CnvTelNo);
        io.Text("NonRespTelNo=", ms.NonRespTelNo);
        io.Num("ScanTime=", ms.ScanTime);
        io.Num("ScanCnt=", ms.ScanCnt);
        WalkMembers(io, "ScanSub", ms.ScanSub, kScanMembers);
        io.Num("GroupCnt=", ms.GroupCnt);
        WalkMembers(io, "GroupMaster", ms.GroupMaster, kGroupMembers);
        io.Num("MeetCnt=", ms.MeetCnt);
        WalkMembers(io, "MeetMaster", ms.MeetMaster, kMeetMembers);
    }
    for (int s = 0; s < kSubsPerExchange; ++s) {
        SubData& sub = sw.Sub[s];
        KeyText inner;
        inner.Add("[Sub").Num2(s + 1).Add("]");
        io.Section(KeyText().Add(swKey).Add(inner), inner);
        io.Station("Number=", sub.NumberValue, sub.Number);
        io.Text("Name=", sub.Name);
        io.Num("CallSwNo=", sub.CallSwNo);
        io.Num("CallStNo=", sub.CallStNo);
        io.Num("Level=", sub.Level);
        io.Num("Paging=", sub.Paging);
    }
    for (int p = 0; p < kSpeakersPerExchange; ++p) {
        io.Line(KeyText().Add("[Speaker PA").Num2(p + 1).Add("]"));
        io.Num("Paging=", sw.SpeakerPaging[p]);
    }
}

// One block of 1024 rows per master of every exchange: the Dial lines of the
// direct select block, or the Shot lines of the one-shot block.
template <class Io, class Row>
void WalkRowBlock(Io& io, SettingData& d, bool oneShot, Row row) {
    for (int e = 1; e <= kMaxExchanges; ++e) {
        KeyText swKey;
        swKey.Add("[Switch").Num2(e).Add("]");
        io.Line(swKey);
        if (!oneShot) io.Num("OutMode=", d.DirectSelect.OutMode[e - 1]);
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            io.Line(KeyText().Add(swKey).Add("[Master").Num2(m).Add("]"));
            if (oneShot) io.Num(KeyText().Add("ShotT").Num(m).Add("="), d.DirectSelect.ShotT[e - 1][m - 1]);
            DialEntry* rows = d.DirectSelect.Rows[e - 1][m - 1];
            for (int r = 0; r < kDialRows; ++r) row(io, rows[r], r + 1);
            if (!io.Ok()) return;
        }
    }
}

template <class Io>
void Walk(Io& io, SettingData& d) {
    MaintenanceData& mt = d.Maintenance;
    io.Line("[Maintenance]");
    io.Num("PcConnect=", mt.PcConnect);
    io.Num("CommPort=", mt.CommPort);
    io.Text("TelNo=", mt.TelNo);

    RemoteDialData& rd = d.RemoteDial;
    io.Line("[RemoteDial]");
    io.Num("TelCnt=", rd.TelCnt);
    for (auto& tel : rd.TelNo) io.Text("TelNo=", tel);

    SystemData& sys = d.System;
    io.Line("[System]");
    io.Num("SwitchCnt=", sys.SwitchCnt);
    io.Num("NumberSize=", sys.NumberSize);
    for (int i = 0; i < kTieLines; ++i) io.Num(KeyText().Add("TieLine").Num2(i + 1).Add("="), sys.TieLine[i]);
    for (int e = 0; e < kMaxExchanges; ++e) {
        SwNumberRec& rec = sys.SwNumber[e];
        rec.Position = static_cast<uint8_t>(e + 1);
        io.Station(KeyText().Add("SwNumber").Num2(e + 1).Add("="), rec.Value, rec.Text);
    }
    for (int e = 0; e < kMaxExchanges; ++e)
        for (int i = 0; i < kExternalInputs; ++i)
            io.Num(KeyText().Add("OutInZone[").Num2(e + 1).Add("-").Num(i + 1).Add("]="), sys.OutInZone[e][i]);
    if (!io.Ok()) return;

    for (int e = 0; e < kMaxExchanges; ++e) {
        FunctionData& f = d.Function[e];
        io.Skip(KeyText().Add("[Function").Num(e + 1).Add("]"));
        io.Num("OutSend=", f.OutSend);
        io.Num("AutoOutSend=", f.AutoOutSend);
        io.Time("StartTime=", f.StartTime);
        io.Time("EndTime=", f.EndTime);
        io.Num("TalkSend=", f.TalkSend);
        io.Num("CallCnt=", f.CallCnt);
        io.Num("CallTime=", f.CallTime);
        io.Num("TalkTime=", f.TalkTime);
    }
    for (int e = 1; e <= kMaxExchanges && io.Ok(); ++e) WalkExchange(io, d, e);
    if (!io.Ok()) return;

    io.Line("[DirectSelect]");
    WalkRowBlock(io, d, false, [](Io& rio, DialEntry& row, int n) {
        rio.Text(KeyText().Add("Dial").Num(n).Add("="), row.Dial);
    });
    if (!io.Ok() || !io.Optional("OneShotMake")) return;
    WalkRowBlock(io, d, true, [](Io& rio, DialEntry& row, int n) {
        rio.Text(KeyText().Add("Shot").Num(n).Add("="), row.Shot);
    });
}

}  // namespace settings_layout
