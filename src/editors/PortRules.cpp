#include "editors/PortRules.h"

PortCopy LoadPortCopy(const MaintenanceData& model) {
    PortCopy c;
    c.Method = model.PcConnect == 1 ? 1 : 0;
    c.Port = model.CommPort <= 3 ? model.CommPort : 0;
    c.TelNo = model.TelNo.Str();
    return c;
}

ValidationResult ValidatePort(const PortCopy& copy) {
    if (copy.Method != 1) return {};
    bool ok = !copy.TelNo.empty() && copy.TelNo.size() <= static_cast<std::size_t>(kTelNoMax);
    for (char c : copy.TelNo) ok = ok && ((c >= '0' && c <= '9') || c == '-');
    if (ok) return {};
    return {.Code = kPortTelNo, .Message = kIncorrectTelNoText};
}

bool PortCopyDiffers(const PortCopy& copy, const MaintenanceData& model) {
    if (copy.Method != model.PcConnect || copy.Port != model.CommPort) return true;
    return copy.Method == 1 && !(model.TelNo == copy.TelNo);
}

void CommitPort(const PortCopy& copy, MaintenanceData& model) {
    model.PcConnect = copy.Method;
    model.CommPort = copy.Port;
    if (copy.Method == 1) model.TelNo.Set(copy.TelNo);
}
