#include "device/link/win32_serial_port.h"

#include "device/link/win32_api.h"
// After windows.h, whose types it needs.
#include <mmsystem.h>

#include <algorithm>
#include <string>

namespace quorvane {

namespace {

HANDLE asHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// Failures the system reports without an error code.
const char* const kNotOpen = "the port is not open";
const char* const kWriteTimedOut = "the write did not finish within its time-out";

// The system's text for an error code, as UTF-8 without the line end it comes with.
std::string systemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length > 0 && text != nullptr) {
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
        message.resize(size_t(std::max(bytes, 0)));
        WideCharToMultiByte(CP_UTF8, 0, text, int(length), message.data(), bytes, nullptr, nullptr);
    }
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\r' || message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

void Win32SerialPort::failWithLastError(const char* call) {
    const std::string reason = systemMessage(GetLastError());
    lastError_ = call != nullptr ? std::string(call) + ": " + reason : reason;
}

// A setting that does not take is noted, and the port used all the same.
void Win32SerialPort::applySettings() {
    HANDLE port = asHandle(handle_);
    if (!SetCommMask(port, EV_RXCHAR | EV_TXEMPTY)) {  // 5; never waited for
        failWithLastError("SetCommMask");
    }

    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 50;
    timeouts.WriteTotalTimeoutConstant = 2000;
    if (!SetCommTimeouts(port, &timeouts)) {
        failWithLastError("SetCommTimeouts");
    }

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        failWithLastError("GetCommState");
    } else {
        dcb.BaudRate = DWORD(baudRate_);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        if (!SetCommState(port, &dcb)) {
            failWithLastError("SetCommState");
        }
    }

    if (!SetupComm(port, 1024, 1024)) {
        failWithLastError("SetupComm");
    }
    if (!PurgeComm(port, kPurgeAll)) {
        failWithLastError("PurgeComm");
    }
}

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::open(const std::string& name) {
    close();
    lastError_.clear();
    // The device namespace form also reaches ports numbered above COM9.
    const std::string path = "\\\\.\\" + name;
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        failWithLastError();
        return false;
    }
    handle_ = port;
    applySettings();
    // Sleep(1) in waitForInput must mean about a millisecond, not a 15.6 ms scheduler tick.
    timeBeginPeriod(1);
    return true;
}

void Win32SerialPort::close() {
    if (handle_ == nullptr) {
        return;
    }
    CloseHandle(asHandle(handle_));
    timeEndPeriod(1);
    handle_ = nullptr;
}

bool Win32SerialPort::isOpen() const {
    return handle_ != nullptr;
}

bool Win32SerialPort::write(std::span<const uint8_t> bytes) {
    if (handle_ == nullptr) {
        lastError_ = kNotOpen;
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(asHandle(handle_), bytes.data(), DWORD(bytes.size()), &written, nullptr)) {
        failWithLastError();
        return false;
    }
    // The write time-outs end a write that stalls with success and fewer bytes written.
    if (written != bytes.size()) {
        lastError_ = kWriteTimedOut;
        return false;
    }
    return true;
}

ReadResult Win32SerialPort::readAvailable(std::span<uint8_t> buffer) {
    if (handle_ == nullptr) {
        lastError_ = kNotOpen;
        return {false, 0};
    }
    DWORD got = 0;
    const DWORD limit = DWORD(std::min(buffer.size(), kMaxRead));
    if (!ReadFile(asHandle(handle_), buffer.data(), limit, &got, nullptr)) {
        failWithLastError();
        return {false, 0};
    }
    return {true, size_t(got)};
}

size_t Win32SerialPort::inputQueued() {
    DWORD errors = 0;
    COMSTAT status{};
    if (handle_ == nullptr || !ClearCommError(asHandle(handle_), &errors, &status)) {
        return 0;
    }
    return status.cbInQue;
}

bool Win32SerialPort::purge() {
    if (handle_ == nullptr) {
        lastError_ = kNotOpen;
        return false;
    }
    if (!PurgeComm(asHandle(handle_), kPurgeAll)) {
        failWithLastError();
        return false;
    }
    return true;
}

void Win32SerialPort::waitForInput() {
    if (inputQueued() == 0) {
        Sleep(1);
    }
}

}  // namespace quorvane
