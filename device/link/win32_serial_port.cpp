#include "device/link/win32_serial_port.h"

#include "device/link/win32_api.h"
// After windows.h, whose types it needs.
#include <mmsystem.h>

#include <algorithm>

namespace quorvane {

namespace {

HANDLE asHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

void applySettings(HANDLE port) {
    SetCommMask(port, EV_RXCHAR | EV_TXEMPTY);  // 5; never waited for

    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 50;
    timeouts.WriteTotalTimeoutConstant = 2000;
    SetCommTimeouts(port, &timeouts);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (GetCommState(port, &dcb)) {
        dcb.BaudRate = 921600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        SetCommState(port, &dcb);
    }

    SetupComm(port, 1024, 1024);
    PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

}  // namespace

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::open(const std::string& name) {
    close();
    // The device namespace form also reaches ports numbered above COM9.
    const std::string path = "\\\\.\\" + name;
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return false;
    }
    applySettings(port);
    // Sleep(1) in waitForInput must mean about a millisecond, not a 15.6 ms scheduler tick.
    timeBeginPeriod(1);
    handle_ = port;
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
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(asHandle(handle_), bytes.data(), DWORD(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

ReadResult Win32SerialPort::readAvailable(std::span<uint8_t> buffer) {
    if (handle_ == nullptr) {
        return {false, 0};
    }
    DWORD got = 0;
    const DWORD limit = DWORD(std::min(buffer.size(), kMaxRead));
    if (!ReadFile(asHandle(handle_), buffer.data(), limit, &got, nullptr)) {
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

void Win32SerialPort::purge() {
    if (handle_ != nullptr) {
        PurgeComm(asHandle(handle_), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
}

void Win32SerialPort::waitForInput() {
    if (inputQueued() == 0) {
        Sleep(1);
    }
}

}  // namespace quorvane
