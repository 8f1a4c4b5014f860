#include "platform/national_language.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>

#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace platform {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU names. "cp950" and "950" open an IBM table that differs from Microsoft's
// Big5 in about a thousand entries; "windows-950-2000" is Microsoft's.
const char* ConverterName(unsigned codePage) {
    switch (codePage) {
        case kCpAcp:
        case kCpGbk: return "windows-936-2000";
        case kCpBig5: return "windows-950-2000";
        case kCpUtf8: return "UTF-8";
        default: return nullptr;
    }
}

struct Substitute {
    char bytes[2];
    int8_t length;
    bool used;
};

// Writes the default character for every character the code page lacks. ICU's
// own callbacks drop default-ignorable characters (U+200B, U+FEFF) silently.
void WriteDefaultCharacter(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                           UChar32, UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    auto* sub = static_cast<Substitute*>(const_cast<void*>(context));
    sub->used = true;
    *err = U_ZERO_ERROR;
    ucnv_cbFromUWriteBytes(args, sub->bytes, sub->length, 0, err);
}

Converter Open(unsigned codePage) {
    const char* name = ConverterName(codePage);
    if (!name) return nullptr;
    UErrorCode err = U_ZERO_ERROR;
    Converter c(ucnv_open(name, &err));
    return U_FAILURE(err) ? nullptr : std::move(c);
}

int FinishCount(int32_t needed, int outCapacity, UErrorCode err) {
    if (outCapacity == 0) return (err == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(err)) ? needed : 0;
    if (err == U_STRING_NOT_TERMINATED_WARNING) err = U_ZERO_ERROR;
    return U_SUCCESS(err) && needed <= outCapacity ? needed : 0;
}

}  // namespace

int MultiByteToWideChar(unsigned codePage, unsigned, const char* text, int length, char16_t* out,
                        int outUnits) {
    if (!text || length == 0 || length < -1 || outUnits < 0 || (outUnits > 0 && !out)) return 0;
    Converter conv = Open(codePage);
    if (!conv) return 0;
    // Length -1: the terminator is converted too, so it is counted.
    const int32_t srcLength = length == -1 ? static_cast<int32_t>(std::strlen(text)) + 1 : length;
    UErrorCode err = U_ZERO_ERROR;
    const int32_t needed = ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(out), outUnits, text,
                                         srcLength, &err);
    return FinishCount(needed, outUnits, err);
}

int WideCharToMultiByte(unsigned codePage, unsigned, const char16_t* units, int count, char* out,
                        int outBytes, const char* defaultChar, bool* usedDefault) {
    if (usedDefault) *usedDefault = false;
    if (!units || count == 0 || count < -1 || outBytes < 0 || (outBytes > 0 && !out)) return 0;
    Converter conv = Open(codePage);
    if (!conv) return 0;

    Substitute sub{{'?', 0}, 1, false};
    if (defaultChar) {
        sub.bytes[0] = defaultChar[0];
        sub.length = 1;
        if (static_cast<unsigned char>(defaultChar[0]) >= 0x80 && defaultChar[1]) {
            sub.bytes[1] = defaultChar[1];
            sub.length = 2;
        }
    }
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv.get(), WriteDefaultCharacter, &sub, nullptr, nullptr, &err);

    int32_t srcLength = count;
    if (count == -1) {
        srcLength = 0;
        while (units[srcLength] != 0) ++srcLength;
        ++srcLength;  // the terminator is converted and counted
    }
    const int32_t needed = ucnv_fromUChars(conv.get(), out, outBytes,
                                           reinterpret_cast<const UChar*>(units), srcLength, &err);
    if (usedDefault) *usedDefault = sub.used;
    return FinishCount(needed, outBytes, err);
}

namespace {

// GBK code (lead << 8 | trail) of every traditional character, mapped to the
// GBK code of its simplified form; 0 where the character stays.
using SimplifiedTable = std::array<uint16_t, 0x10000>;

// Each traditional character is transliterated alone: the transform also holds
// phrase rules, which would otherwise change neighbouring characters. A result
// outside GBK is left out, so the text keeps its byte length.
std::unique_ptr<SimplifiedTable> BuildSimplifiedTable() {
    auto table = std::make_unique<SimplifiedTable>();
    table->fill(0);
    UErrorCode err = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> toSimplified(
        icu::Transliterator::createInstance("Traditional-Simplified", UTRANS_FORWARD, err));
    Converter gbk = Open(kCpGbk);
    if (U_FAILURE(err) || !toSimplified || !gbk) return table;

    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            UChar unit[4];
            UErrorCode e = U_ZERO_ERROR;
            const int32_t n = ucnv_toUChars(gbk.get(), unit, 4, pair, 2, &e);
            if (U_FAILURE(e) || n != 1 || unit[0] == 0xFFFD || unit[0] == 0x1A) continue;
            icu::UnicodeString s(unit[0]);
            toSimplified->transliterate(s);
            if (s.length() != 1 || s.charAt(0) == unit[0]) continue;
            const UChar simplified = s.charAt(0);
            char back[4];
            e = U_ZERO_ERROR;
            ucnv_reset(gbk.get());
            const int32_t m = ucnv_fromUChars(gbk.get(), back, 4, &simplified, 1, &e);
            ucnv_reset(gbk.get());
            if (U_FAILURE(e) || m != 2) continue;
            (*table)[(lead << 8) | trail] = static_cast<uint16_t>(
                (static_cast<unsigned char>(back[0]) << 8) | static_cast<unsigned char>(back[1]));
        }
    }
    return table;
}

const SimplifiedTable& Simplified() {
    static std::once_flag once;
    static std::unique_ptr<SimplifiedTable> table;
    std::call_once(once, [] { table = BuildSimplifiedTable(); });
    return *table;
}

}  // namespace

int LCMapStringA(unsigned locale, unsigned flags, const char* text, int length, char* out, int outBytes) {
    if (locale != kLocaleChinesePrc || flags != kLcmapSimplifiedChinese || !text || length < -1) return 0;
    const int srcLength = length == -1 ? static_cast<int>(std::strlen(text)) + 1 : length;
    if (outBytes == 0) return srcLength;
    if (!out || outBytes < srcLength) return 0;

    const SimplifiedTable& table = Simplified();
    const auto* src = reinterpret_cast<const unsigned char*>(text);
    for (int i = 0; i < srcLength;) {
        if (src[i] < 0x80 || i + 1 >= srcLength) {
            out[i] = text[i];
            ++i;
            continue;
        }
        const uint16_t mapped = table[(src[i] << 8) | src[i + 1]];
        out[i] = mapped ? static_cast<char>(mapped >> 8) : text[i];
        out[i + 1] = mapped ? static_cast<char>(mapped & 0xFF) : text[i + 1];
        i += 2;
    }
    return srcLength;
}

std::string DocumentToUtf8(std::string_view bytes, const std::string& charset) {
    UErrorCode err = U_ZERO_ERROR;
    Converter from(charset.empty() ? nullptr : ucnv_open(charset.c_str(), &err));
    if (!from || U_FAILURE(err)) from = Open(kCpGbk);
    if (!from || bytes.empty()) return {};
    err = U_ZERO_ERROR;
    Converter to(ucnv_open("UTF-8", &err));
    if (!to) return {};
    std::string out(bytes.size() * 3 + 4, '\0');
    char* target = out.data();
    const char* source = bytes.data();
    err = U_ZERO_ERROR;
    ucnv_convertEx(to.get(), from.get(), &target, out.data() + out.size(), &source, bytes.data() + bytes.size(),
                   nullptr, nullptr, nullptr, nullptr, true, true, &err);
    out.resize(static_cast<std::size_t>(target - out.data()));
    return out;
}

}  // namespace platform
