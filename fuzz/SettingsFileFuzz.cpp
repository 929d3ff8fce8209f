// Arbitrary bytes as a settings file. Inputs with an even first byte are read as
// they are; the others are spliced into a valid default file at a chosen offset,
// so the fuzzer reaches every section, not only the first lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/SettingsFile.h"

namespace {

template <std::size_t N>
void Check(const FixedText<N>& t) {
    if (t.Chars[N] != 0) std::abort();
}

// Every text of the model must still end inside its field.
void CheckCapacities(const SettingData& d) {
    Check(d.SettingPassword);
    Check(d.CurrentFilePath);
    Check(d.Maintenance.TelNo);
    for (const auto& t : d.RemoteDial.TelNo) Check(t);
    for (const auto& n : d.System.SwNumber) Check(n.Text);
    for (const auto& f : d.Function) {
        Check(f.StartTime.Text);
        Check(f.EndTime.Text);
    }
    for (const auto& sw : d.Switch) {
        for (const auto& line : sw.Line) {
            Check(line.Name);
            for (const auto& n : line.RxMasterName) Check(n);
        }
        for (const auto& ms : sw.Master)
            for (const auto* t : {&ms.AbsenceTelNo, &ms.AutoAbsenceTelNo, &ms.CnvTelNo, &ms.NonRespTelNo, &ms.Number}) {
                Check(*t);
                Check(ms.Name);
                Check(ms.TelNo);
            }
        for (const auto& sub : sw.Sub) {
            Check(sub.Number);
            Check(sub.Name);
        }
    }
    for (const auto& perExchange : d.DirectSelect.Rows)
        for (const auto& perMaster : perExchange)
            for (const auto& row : perMaster) {
                Check(row.Dial);
                Check(row.Shot);
            }
}

const std::string& DefaultFile() {
    static const std::string bytes = [] {
        auto d = MakeSettingData();
        char* buf = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&buf, &size);
        WriteSettings(*d, out);
        std::fclose(out);
        std::string s(buf, size);
        std::free(buf);
        return s;
    }();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static std::unique_ptr<SettingData> model = MakeSettingData();
    std::string input;
    if (size >= 4 && (data[0] & 1)) {
        const std::string& base = DefaultFile();
        const std::size_t at = (static_cast<std::size_t>(data[1]) << 16 | data[2] << 8 | data[3]) * 8 % base.size();
        input = base.substr(0, at);
        input.append(reinterpret_cast<const char*>(data + 4), size - 4);
        // Only a stretch of the file after the splice: the read fails soon after
        // a damaged line anyway, and whole-file inputs would make each run slow.
        const std::size_t resume = at + (size - 4 < base.size() - at ? size - 4 : base.size() - at);
        input.append(base, resume, data[0] & 2 ? std::string::npos : 16384);
    } else {
        input.assign(reinterpret_cast<const char*>(data), size);
    }
    std::FILE* in = fmemopen(input.data(), input.size() ? input.size() : 1, "rb");
    if (input.empty()) std::fgetc(in);  // an empty file
    ReadSettings(*model, in, SilentPrompt());
    std::fclose(in);

    CheckCapacities(*model);
    return 0;
}
