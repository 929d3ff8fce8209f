#pragma once
// The RS-232C port on Linux: "COM1" to "COM4" mapped onto devices, opened
// exclusive at 19200 baud, 8 data bits, even parity, 1 stop bit, no RTS/CTS, raw.
// A read waits at most about 6 ms for one byte; a frame goes out in one write.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Which device each of COM1 to COM4 opens; /dev/ttyS0 to /dev/ttyS3 unless told.
class SerialDeviceMap {
public:
    SerialDeviceMap();
    void Set(int index, std::string path) { paths_.at(static_cast<std::size_t>(index)) = std::move(path); }
    // index 0 to 3; an index outside that names no device ("").
    std::string PathOf(int index) const;
    // "COM1" to "COM4"; anything else names no device.
    std::string PathOf(std::string_view portName) const;
    // The modem's device; /dev/ttyACM0 unless told.
    void SetModem(std::string path) { modem_ = std::move(path); }
    const std::string& Modem() const { return modem_; }

private:
    std::array<std::string, 4> paths_;
    std::string modem_ = "/dev/ttyACM0";
};

class SerialPort {
public:
    enum class ReadResult { Byte, Nothing, Failed };
    static constexpr int ReadTimeoutMs = 6;  // 5 ms constant + 1 ms for the one byte

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens and configures; on any failure the device is closed again and why
    // says what went wrong.
    // A modem line is 8N1 and drops DTR when closed, which hangs a modem up.
    enum class Line { Exchange, Modem };
    bool Open(const std::string& path, std::string* why = nullptr, Line line = Line::Exchange);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Waits up to timeoutMs for one byte. Wake() from any thread ends the wait at
    // once with Nothing.
    ReadResult ReadByte(std::uint8_t& byte, int timeoutMs = ReadTimeoutMs);
    // The whole buffer in one write, waiting for room as a real port's write
    // time-out would (5 ms a byte + 5 ms); false when not all of it went out.
    bool Write(const std::uint8_t* bytes, std::size_t length);
    // Why the last Write failed.
    const std::string& LastError() const { return lastError_; }
    void Wake();
    // Waits up to ms without reading (after a failed read); Wake() ends it early.
    void Pause(int ms);
    // Carrier detect: 1 present, 0 lost, -1 when the device cannot tell (a pseudo-terminal).
    int Carrier() const;

    // Whether the last Open accepted a line without even parity (a pseudo-terminal).
    bool ParityDropped() const { return parityDropped_; }

private:
    // Opened on the caller's thread, then read on the link worker's.
    std::atomic<int> fd_{-1};
    int wakeFd_ = -1;
    bool parityDropped_ = false;
    std::string lastError_;
};
