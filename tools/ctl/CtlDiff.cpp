#include "CtlDiff.h"

#include "CtlJson.h"

#include "CtlTransfer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "editors/ConfigDiff.h"
#include "model/SettingsFile.h"
#include "transfer/TransferSequence.h"

namespace {

bool Read(SettingData& data, const std::string& file, Prompt& prompt) {
    const SettingsReadResult read = ReadSettingsFile(data, file, prompt);
    if (read == SettingsReadResult::CannotOpen) prompt.Tell("Cannot open " + file);
    return read == SettingsReadResult::Ok;
}

// Values are UTF-8 already.
std::string Json(const std::string& text) { return JsonString(text, JsonBytes::Utf8); }

int Report(const std::vector<ConfigDifference>& differences, bool json, std::FILE* out) {
    if (json) {
        std::fputs("[", out);
        for (std::size_t i = 0; i < differences.size(); ++i) {
            const ConfigDifference& d = differences[i];
            std::fprintf(out, "%s\n  {\"category\": %s, \"place\": %s, \"field\": %s, \"old\": %s, \"new\": %s}",
                         i ? "," : "", Json(d.Category).c_str(), Json(d.Place).c_str(), Json(d.Field).c_str(),
                         Json(d.Old).c_str(), Json(d.New).c_str());
        }
        std::fputs(differences.empty() ? "]\n" : "\n]\n", out);
    } else {
        std::string category;
        for (const ConfigDifference& d : differences) {
            if (d.Category != category) std::fprintf(out, "%s\n", (category = d.Category).c_str());
            std::fprintf(out, "  %s%s%s: \"%s\" -> \"%s\"\n", d.Place.c_str(), d.Place.empty() ? "" : ": ",
                         d.Field.c_str(), d.Old.c_str(), d.New.c_str());
        }
    }
    return differences.empty() ? 0 : 1;
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string cell = "\"";
    for (const char ch : text) cell += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return cell + '"';
}

// "Call Forwarding/Time-Out" -> "call-forwarding-time-out".
std::string FileNameOf(const std::string& category) {
    std::string name;
    for (const char ch : category) {
        const bool word = std::isalnum(static_cast<unsigned char>(ch)) != 0;
        if (word) name += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        else if (!name.empty() && name.back() != '-') name += '-';
    }
    return name + ".csv";
}

// One category's listing as a table: places in order as rows, fields in the
// order first met as columns (masters and substations share one table).
bool WriteCsv(const std::filesystem::path& path, const std::vector<const ConfigDifference*>& rows) {
    std::vector<std::string> fields;
    std::vector<std::string> places;
    std::set<std::string> seen;
    std::map<std::pair<std::string, std::string>, std::string> cells;
    for (const ConfigDifference* d : rows) {
        if (std::find(fields.begin(), fields.end(), d->Field) == fields.end()) fields.push_back(d->Field);
        if (seen.insert(d->Place).second) places.push_back(d->Place);
        cells[{d->Place, d->Field}] = d->New;
    }
    std::ofstream csv(path, std::ios::binary | std::ios::trunc);
    // The byte order mark tells spreadsheets the file is UTF-8.
    csv << "\xEF\xBB\xBF" << "Place";
    for (const std::string& f : fields) csv << ',' << CsvCell(f);
    csv << "\r\n";
    for (const std::string& p : places) {
        csv << CsvCell(p);
        for (const std::string& f : fields) {
            const auto cell = cells.find({p, f});
            csv << ',' << (cell == cells.end() ? std::string{} : CsvCell(cell->second));
        }
        csv << "\r\n";
    }
    csv.close();
    return !csv.fail();
}

}  // namespace

int CtlDiff(const std::string& a, const std::string& b, bool json, Prompt& prompt, std::FILE* out) {
    auto first = MakeSettingData();
    auto second = MakeSettingData();
    if (!Read(*first, a, prompt) || !Read(*second, b, prompt)) return 2;
    return Report(CompareSettings(*first, *second), json, out);
}

int CtlVerify(const std::vector<std::string>& args, bool json, const ConnectionOptions& connection, Prompt& prompt,
              std::FILE* out) {
    const bool one = args.size() == 3 && args[1] == "--exchange";
    if (args.size() != 1 && !one) {
        prompt.Tell("nx420ctl: verify takes FILE [--exchange N]");
        return 2;
    }
    auto file = MakeSettingData();
    if (!Read(*file, args[0], prompt)) return 2;
    int selected = 0;
    if (one && (selected = ParseExchangeNo(args[2], file->System.SwitchCnt)) == 0) {
        prompt.Tell(kIncorrectExchangeNoText, PromptIcon::Warning);
        return 2;
    }
    // Downloaded over a copy of FILE: what the download does not carry stays
    // as FILE has it. The progress goes to stderr, the differences to out.
    auto site = MakeSettingData();
    *site = *file;
    if (!RunTransfer(false, *site, selected, connection, prompt, stderr)) return 2;
    return Report(CompareSettings(*file, *site), json, out);
}

int CtlExport(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out) {
    if (args.size() != 3 || args[1] != "--csv") {
        prompt.Tell("nx420ctl: export takes FILE --csv DIR");
        return 2;
    }
    auto data = MakeSettingData();
    if (!Read(*data, args[0], prompt)) return 1;
    const std::filesystem::path dir = args[2];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::vector<ConfigDifference> listing = ListSettings(*data);
    std::map<std::string, std::vector<const ConfigDifference*>> byCategory;
    for (const ConfigDifference& d : listing) byCategory[d.Category].push_back(&d);
    // Every editor has its file, an empty list (no remote dialing numbers) too.
    for (const std::string category : kDiffCategories) {
        const std::filesystem::path path = dir / FileNameOf(category);
        if (!WriteCsv(path, byCategory[category])) {
            prompt.Tell("Cannot write " + path.string());
            return 1;
        }
        std::fprintf(out, "%s\n", path.string().c_str());
    }
    return 0;
}
