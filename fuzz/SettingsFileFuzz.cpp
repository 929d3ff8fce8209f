// Arbitrary bytes as a settings file. Inputs with an even first byte are read as
// they are. The others replace lines of the valid default file: byte 1 picks a
// section to start at, byte 2 how many lines after it, and the rest are the
// replacing lines, followed by a short stretch of the default file.
//
// The reader is positional, so a run costs every line before the splice. The
// last switch and the dial rows are picked by only two of the 256 values of
// byte 1. The one-shot rows and the end of the file, tens of thousands of
// lines in, are left out: once in the corpus, such inputs took most of the
// run time.
// The model is checked when the reader reports a damaged line, so what a read
// stores is checked without reading to the end. Checks and comparisons cover
// only what the input's lines can reach: the whole model is 1.5 MB.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/SettingsFile.h"

namespace {

// Lines of the default file after the replaced ones: enough to show that the
// reader keeps its place, few enough to keep a run short.
constexpr std::size_t kTailLines = 64;

template <std::size_t N>
void Check(const FixedText<N>& t) {
    if (t.Chars[N] != 0) std::abort();
}

constexpr int kAllRows = kMaxExchanges * kMastersPerExchange * kDialRows;

// How far a file could take the reader: the switches it can reach, and how
// many dial rows (in file order). Checks stop there; the rest is untouched.
struct Reach {
    int switches = kMaxExchanges;
    int rows = kAllRows;
};

const DialEntry& Row(const SettingData& d, int i) {
    return d.DirectSelect.Rows[i / (kMastersPerExchange * kDialRows)][i / kDialRows % kMastersPerExchange][i % kDialRows];
}

// Every text of the model must still end inside its field. Without coverage
// and address checks: the loops read only the model and took half the run time.
__attribute__((no_sanitize("coverage", "address"))) void CheckCapacities(const SettingData& d, Reach reach) {
    Check(d.SettingPassword);
    Check(d.CurrentFilePath);
    Check(d.Maintenance.TelNo);
    for (const auto& t : d.RemoteDial.TelNo) Check(t);
    for (const auto& n : d.System.SwNumber) Check(n.Text);
    for (const auto& f : d.Function) {
        Check(f.StartTime.Text);
        Check(f.EndTime.Text);
    }
    for (int e = 0; e < reach.switches; ++e) {
        const SwitchData& sw = d.Switch[e];
        for (const auto& line : sw.Line) {
            Check(line.Name);
            for (const auto& n : line.RxMasterName) Check(n);
        }
        for (const auto& ms : sw.Master) {
            Check(ms.Number), Check(ms.Name), Check(ms.TelNo), Check(ms.AbsenceTelNo);
            Check(ms.AutoAbsenceTelNo), Check(ms.CnvTelNo), Check(ms.NonRespTelNo);
        }
        for (const auto& sub : sw.Sub) Check(sub.Number), Check(sub.Name);
    }
    for (int i = 0; i < reach.rows; ++i) Check(Row(d, i).Dial), Check(Row(d, i).Shot);
}

// A damaged file leaves the defaults.
bool SameAsDefaults(const SettingData& d, const SettingData& defaults, Reach reach) {
    for (int i = 0; i < reach.rows; ++i)
        if (!(Row(d, i) == Row(defaults, i))) return false;
    const DirectSelectData &ds = d.DirectSelect, &dsDefault = defaults.DirectSelect;
    return d.Maintenance == defaults.Maintenance && d.RemoteDial == defaults.RemoteDial &&
           d.System == defaults.System && std::equal(std::begin(d.Function), std::end(d.Function), defaults.Function) &&
           std::equal(d.Switch, d.Switch + reach.switches, defaults.Switch) &&
           std::memcmp(ds.OutMode, dsDefault.OutMode, sizeof ds.OutMode) == 0 &&
           std::memcmp(ds.ShotT, dsDefault.ShotT, sizeof ds.ShotT) == 0;
}

// The model under test, checked when the reader reports a missing key: that
// is before the reader puts the defaults back, so the texts read so far are
// still there to check.
struct CheckingPrompt : Prompt {
    const SettingData* model = nullptr;
    Reach reach;
    int messages = 0;
    PromptAnswer Message(std::string_view, std::string_view, PromptIcon, PromptButtons) override {
        ++messages;
        CheckCapacities(*model, reach);
        return PromptAnswer::Ok;
    }
    bool ChooseFile(FileDialogKind, std::string_view, std::string&) override { return false; }
    bool ChooseFolder(std::string_view, std::string&) override { return false; }
};

struct DefaultFile {
    std::string bytes;
    std::vector<std::size_t> lineStart;  // one entry per line, plus the file size
    std::vector<std::size_t> shallow;    // line numbers to start a splice at
    std::vector<std::size_t> deep;
    std::size_t switchFrom[kMaxExchanges] = {};  // the first line of each switch
    std::size_t rowsFrom = 0;                     // the first line of the dial block

    DefaultFile() {
        auto d = MakeSettingData();
        char* buf = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&buf, &size);
        if (!WriteSettings(*d, out)) std::abort();
        std::fclose(out);
        bytes.assign(buf, size);
        std::free(buf);
        for (std::size_t at = 0; at < bytes.size(); at = bytes.find('\n', at) + 1) lineStart.push_back(at);
        lineStart.push_back(bytes.size());

        // Searched in file order, so a name that comes again (a switch of the
        // row blocks) is found where it is meant.
        std::size_t from = 0;
        const auto find = [&](std::string_view line) {
            const std::size_t at = bytes.find("\n" + std::string(line) + "\n", from);
            if (at == std::string::npos) std::abort();
            from = at + 1;
            return LineOf(at + 1);
        };
        for (int e = 1; e <= kMaxExchanges; ++e)
            switchFrom[e - 1] = find((e < 10 ? "[Switch0" : "[Switch") + std::to_string(e) + "]");
        from = 0;
        shallow.push_back(0);
        for (const char* s : {"[Maintenance]", "[RemoteDial]", "[System]", "[Function1]", "[Function16]",
                              "[Switch01]", "[Switch01][Line01]", "[Switch01][Line02]", "[Switch01][Master01]",
                              "[Switch01][Master04]", "[Switch01][Sub01]", "[Switch01][Sub64]", "[Speaker PA01]",
                              "[Speaker PA16]", "[Switch02]", "[Switch02][Master01]", "[Switch02][Sub01]"})
            shallow.push_back(find(s));
        deep.push_back(switchFrom[kMaxExchanges - 1]);
        deep.push_back(rowsFrom = find("[DirectSelect]"));
    }
    std::size_t Lines() const { return lineStart.size() - 1; }
    Reach ReachOf(std::size_t lines) const {
        Reach r{0, lines > rowsFrom ? static_cast<int>(std::min<std::size_t>(kAllRows, lines - rowsFrom)) : 0};
        while (r.switches < kMaxExchanges && switchFrom[r.switches] < lines) ++r.switches;
        return r;
    }
    std::size_t LineOf(std::size_t offset) const {
        std::size_t n = 0;
        while (lineStart[n + 1] <= offset) ++n;
        return n;
    }
};

const DefaultFile& Base() {
    static const DefaultFile base;
    return base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::unique_ptr<SettingData> defaults = MakeSettingData();
    static const std::unique_ptr<SettingData> model = MakeSettingData();
    static std::string input;
    const DefaultFile& base = Base();

    input.clear();
    std::size_t lines = 0;
    if (size >= 3 && (data[0] & 1)) {
        const std::size_t anchor =
            data[1] >= 254 ? base.deep[data[1] - 254] : base.shallow[data[1] % base.shallow.size()];
        const std::size_t first = std::min(anchor + data[2], base.Lines());
        const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
        std::size_t replaced = std::count(text.begin(), text.end(), '\n');
        input.append(base.bytes, 0, base.lineStart[first]);
        input.append(text);
        if (!text.empty() && text.back() != '\n') input.push_back('\n'), ++replaced;
        const std::size_t resume = std::min(first + replaced, base.Lines());
        const std::size_t end = std::min(resume + kTailLines, base.Lines());
        input.append(base.bytes, base.lineStart[resume], base.lineStart[end] - base.lineStart[resume]);
        lines = first + replaced + end - resume;
    } else {
        input.assign(reinterpret_cast<const char*>(data), size);
        lines = std::count(input.begin(), input.end(), '\n') + 1;
    }

    CheckingPrompt prompt;
    prompt.model = model.get();
    prompt.reach = base.ReachOf(lines);
    const SettingsReadResult result = ReadSettingsText(*model, input, prompt);

    if (prompt.messages > 1) std::abort();
    if (result == SettingsReadResult::Ok) {
        if (prompt.messages) std::abort();
        CheckCapacities(*model, Reach{});
        *model = *defaults;  // the next run starts from the same model
    } else if (result != SettingsReadResult::Failed || !model->CurrentFilePath.Empty() ||
               !SameAsDefaults(*model, *defaults, prompt.reach)) {
        std::abort();
    }
    return 0;
}
