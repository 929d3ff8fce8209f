#include "port/ConnectionOptions.h"

bool ParseConnectionOption(const std::string& name, const std::string& value, ConnectionOptions& out,
                           std::string& error) {
    error.clear();
    if (name == "--modem") {
        if (value.empty()) {
            error = "--modem needs a device";
            return false;
        }
        out.Modem = value;
        return true;
    }
    if (name != "--port") return false;
    // COMn=DEVICE with n from 1 to 4 (case-insensitive "COM").
    const std::size_t eq = value.find('=');
    const bool comOk = eq == 4 && (value[0] == 'C' || value[0] == 'c') && (value[1] == 'O' || value[1] == 'o') &&
                       (value[2] == 'M' || value[2] == 'm') && value[3] >= '1' && value[3] <= '4';
    if (!comOk || eq + 1 >= value.size()) {
        error = "--port expects COMn=DEVICE with n from 1 to 4, got \"" + value + "\"";
        return false;
    }
    out.Ports[static_cast<std::size_t>(value[3] - '1')] = value.substr(eq + 1);
    return true;
}

SerialDeviceMap DevicesOf(const ConnectionOptions& options) {
    SerialDeviceMap map;
    for (int i = 0; i < kComPorts; ++i) map.Set(i, options.Ports[static_cast<std::size_t>(i)]);
    if (!options.Modem.empty()) map.SetModem(options.Modem);
    return map;
}
