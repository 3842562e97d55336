#include "common/gbk_text.h"

#include <algorithm>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace quorvane {

namespace {

constexpr std::string_view kInvalid = "_";

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

#if defined(_WIN32)

// One GBK character (one or two bytes) as UTF-8, or nothing when the code page refuses it.
bool appendCharacter(std::string_view character, std::string& out) {
    wchar_t wide[2];
    const int units = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, character.data(),
                                          int(character.size()), wide, 2);
    if (units <= 0) {
        return false;
    }
    char utf8[8];
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, int(sizeof utf8), nullptr, nullptr);
    if (bytes <= 0) {
        return false;
    }
    out.append(utf8, size_t(bytes));
    return true;
}

// The code page fails a whole text for one bad character, so the text goes one character at a
// time: a lead byte with its trail byte, else the byte alone (0x80 is the euro sign).
std::string decode(std::string_view bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += char(c);
            ++i;
        } else if (i + 1 < bytes.size() && appendCharacter(bytes.substr(i, 2), out)) {
            i += 2;
        } else {
            if (!appendCharacter(bytes.substr(i, 1), out)) {
                out += kInvalid;
            }
            ++i;
        }
    }
    return out;
}

#else

// glibc's CP936 is the same table as the Windows code page (0x80 included).
class Converter {
  public:
    Converter() : cd_(iconv_open("UTF-8", "CP936")) {}
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // A byte the codec cannot take (EILSEQ, or a lead byte cut off at the end: EINVAL)
    // becomes "_" and decoding goes on with the next byte.
    std::string decode(std::string_view bytes) {
        std::string out;
        char buffer[256];
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        while (inLeft > 0) {
            char* to = buffer;
            size_t room = sizeof buffer;
            const size_t done = iconv(cd_, &in, &inLeft, &to, &room);
            const int error = errno;
            out.append(buffer, size_t(to - buffer));
            if (done == size_t(-1) && error != E2BIG) {
                out += kInvalid;
                ++in;
                --inLeft;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

  private:
    iconv_t cd_;
};

std::string decode(std::string_view bytes) {
    Converter converter;
    if (!converter.ok()) {
        // Without the codec every non-ASCII byte is unreadable.
        std::string out;
        for (char c : bytes) {
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(kInvalid);
        }
        return out;
    }
    return converter.decode(bytes);
}

#endif

}  // namespace

std::string gbkToUtf8(std::string_view bytes) {
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    return decode(bytes);
}

}  // namespace quorvane
