// Arbitrary bytes as a settings file. Half the inputs are read as they are; the
// other half are spliced into a valid default file at a chosen offset, so the
// fuzzer reaches every section, not only the first lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/SettingsFile.h"
#include "model/SettingsLayout.h"

namespace {

class NullPrompt final : public Prompt {
public:
    PromptAnswer Message(std::string_view, std::string_view, PromptIcon, PromptButtons) override {
        return PromptAnswer::Ok;
    }
    bool ChooseFile(FileDialogKind, std::string_view, std::string&) override { return false; }
    bool ChooseFolder(std::string_view, std::string&) override { return false; }
};

// Every text the walk touches must still end inside its field.
class CapacityCheck {
public:
    bool Ok() const { return true; }
    void Line(std::string_view) {}
    void Section(std::string_view, std::string_view) {}
    void Skip(std::string_view) {}
    bool Optional(std::string_view) { return true; }
    template <class T>
    void Num(std::string_view, T&) {}
    template <std::size_t N>
    void Text(std::string_view, FixedText<N>& t) { Check(t); }
    void Station(std::string_view, int32_t&, FixedText<6>& t) { Check(t); }
    void Time(std::string_view, ClockTime& c) { Check(c.Text); }
    void Member(std::string_view, MemberRef&, int) {}
    void RxMember(std::string_view, LineData& line, int i) { Check(line.RxMasterName[i]); }
    template <std::size_t N>
    static void Check(const FixedText<N>& t) {
        if (t.Chars[N] != 0) std::abort();
    }
};

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
        input.append(base, at + (size - 4 < base.size() - at ? size - 4 : base.size() - at));
    } else {
        input.assign(reinterpret_cast<const char*>(data), size);
    }
    std::FILE* in = fmemopen(input.data(), input.size() ? input.size() : 1, "rb");
    if (input.empty()) std::fgetc(in);  // an empty file
    NullPrompt prompt;
    ReadSettings(*model, in, prompt);
    std::fclose(in);

    CapacityCheck check;
    settings_layout::Walk(check, *model);
    CapacityCheck::Check(model->SettingPassword);
    CapacityCheck::Check(model->CurrentFilePath);
    return 0;
}
