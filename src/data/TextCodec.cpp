#include "TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

#include "Error.h"

namespace terminor {

namespace {

const iconv_t InvalidHandle = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* toCode, const char* fromCode) {
        // An empty name would silently select the locale's charset; treat it as unknown instead.
        if (toCode != nullptr && toCode[0] != '\0' && fromCode != nullptr && fromCode[0] != '\0') {
            cd_ = iconv_open(toCode, fromCode);
        }
    }
    ~IconvHandle() {
        if (cd_ != InvalidHandle) {
            iconv_close(cd_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return cd_ != InvalidHandle; }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_ = InvalidHandle;
};

std::string CharsetName(const char* charset) {
    return charset != nullptr ? charset : "";
}

// Appends iconv output to `out`, growing the buffer while iconv reports it full. Returns false
// with errno set when the conversion stops at an input sequence (EILSEQ or EINVAL).
bool Convert(iconv_t cd, char** in, std::size_t* inLeft, std::string& out) {
    char buffer[1024];
    for (;;) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, in, inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1)) {
            return true;
        }
        if (error != E2BIG) {
            errno = error;
            return false;
        }
    }
}

// Writes the shift sequence that returns a stateful encoding to its initial state.
void Flush(iconv_t cd, std::string& out) {
    char buffer[64];
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The number of bytes that make up the UTF-8 sequence at the start of `s`: the whole character
// when it is well-formed (`valid` = true), else the length of its longest well-formed beginning,
// but at least 1, so that one '?' replaces each broken piece.
std::size_t Utf8SequenceLength(const unsigned char* s, std::size_t size, bool& valid) {
    valid = false;
    const unsigned char lead = s[0];
    std::size_t need = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        valid = true;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0) {
            low = 0xA0; // no overlong forms
        } else if (lead == 0xED) {
            high = 0x9F; // no surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F; // nothing above U+10FFFF
        }
    } else {
        return 1;
    }
    std::size_t len = 1;
    for (std::size_t i = 1; i <= need; ++i) {
        if (i >= size) {
            return len;
        }
        const unsigned char c = s[i];
        const bool ok = i == 1 ? (c >= low && c <= high) : IsContinuation(c);
        if (!ok) {
            return len;
        }
        ++len;
    }
    valid = true;
    return len;
}

} // namespace

std::string ToUtf8(std::string_view bytes, const char* charset) {
    IconvHandle cd("UTF-8", charset);
    if (!cd.valid()) {
        throw EConvertError("Unbekannte Zeichenkodierung: " + CharsetName(charset));
    }
    std::string out;
    out.reserve(bytes.size());
    if (bytes.empty()) {
        return out;
    }
    char* in = const_cast<char*>(bytes.data()); // iconv does not write through its input pointer
    std::size_t inLeft = bytes.size();
    if (!Convert(cd.get(), &in, &inLeft, out)) {
        throw EConvertError("Ungültige Zeichen in der Kodierung " + CharsetName(charset));
    }
    Flush(cd.get(), out);
    return out;
}

std::string FromUtf8(std::string_view utf8, const char* charset) {
    IconvHandle cd(charset, "UTF-8");
    if (!cd.valid()) {
        throw EConvertError("Unbekannte Zeichenkodierung: " + CharsetName(charset));
    }
    std::string out;
    out.reserve(utf8.size());
    if (utf8.empty()) {
        return out;
    }
    char* in = const_cast<char*>(utf8.data()); // iconv does not write through its input pointer
    std::size_t inLeft = utf8.size();
    while (inLeft > 0) {
        if (Convert(cd.get(), &in, &inLeft, out)) {
            break;
        }
        // A character the code page lacks, or broken UTF-8: skip it and write '?' instead.
        bool valid = false;
        const std::size_t skip =
            Utf8SequenceLength(reinterpret_cast<const unsigned char*>(in), inLeft, valid);
        in += skip;
        inLeft -= skip;
        char question[] = "?";
        char* qIn = question;
        std::size_t qLeft = 1;
        if (!Convert(cd.get(), &qIn, &qLeft, out)) {
            out += '?';
        }
    }
    Flush(cd.get(), out);
    return out;
}

bool CanEncode(std::string_view utf8, const char* charset) {
    // FromUtf8 writes a '?' for every character it cannot convert: more question marks out than
    // in means a character was lost.
    const std::string converted = FromUtf8(utf8, charset);
    const auto marks = [](std::string_view text) { return std::count(text.begin(), text.end(), '?'); };
    return marks(converted) == marks(utf8);
}

} // namespace terminor
