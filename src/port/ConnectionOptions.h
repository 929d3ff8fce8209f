#pragma once
// Where COM1..COM4 and the modem are on this machine, as the program and
// nx420ctl take them from their command lines.
#include <array>
#include <string>

#include "port/SerialPort.h"

inline constexpr int kComPorts = 4;

// Where COM1..COM4 and the modem are on this machine.
struct ConnectionOptions {
    std::array<std::string, kComPorts> Ports{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    std::string Modem;
};

// One connection option ("--port" or "--modem") with its value; shared with
// the command-line companion. Returns false with a reason for a bad value;
// returns false with an empty reason when name is not a connection option.
bool ParseConnectionOption(const std::string& name, const std::string& value, ConnectionOptions& out,
                           std::string& error);


// The serial devices COM1..COM4 open.
SerialDeviceMap DevicesOf(const ConnectionOptions& options);
