#include "xml/code_page.h"

#include <errno.h>
#include <iconv.h>

#include <array>
#include <unordered_map>

#include "xml/xml_markup.h"

namespace {

struct CharsetName {
    const wchar_t* name;
    int codePage;
};

// Character-set names (folded to lower case) and their Windows code pages: the names that the
// web and Windows use, and the IANA aliases of each.
constexpr CharsetName kCharsetNames[] = {
    {L"ibm037", 37},
    {L"cp037", 37},
    {L"ebcdic-cp-us", 37},
    {L"ebcdic-cp-ca", 37},
    {L"ebcdic-cp-nl", 37},
    {L"csibm037", 37},
    {L"ibm437", 437},
    {L"cp437", 437},
    {L"437", 437},
    {L"cspc8codepage437", 437},
    {L"ibm500", 500},
    {L"cp500", 500},
    {L"ebcdic-cp-be", 500},
    {L"ebcdic-cp-ch", 500},
    {L"csibm500", 500},
    {L"asmo-708", 708},
    {L"ibm737", 737},
    {L"cp737", 737},
    {L"ibm775", 775},
    {L"cp775", 775},
    {L"cspc775baltic", 775},
    {L"ibm850", 850},
    {L"cp850", 850},
    {L"850", 850},
    {L"cspc850multilingual", 850},
    {L"ibm852", 852},
    {L"cp852", 852},
    {L"852", 852},
    {L"cspcp852", 852},
    {L"ibm855", 855},
    {L"cp855", 855},
    {L"855", 855},
    {L"csibm855", 855},
    {L"ibm857", 857},
    {L"cp857", 857},
    {L"857", 857},
    {L"csibm857", 857},
    {L"ibm00858", 858},
    {L"cp00858", 858},
    {L"cp858", 858},
    {L"ccsid00858", 858},
    {L"ibm860", 860},
    {L"cp860", 860},
    {L"860", 860},
    {L"csibm860", 860},
    {L"ibm861", 861},
    {L"cp861", 861},
    {L"861", 861},
    {L"cp-is", 861},
    {L"csibm861", 861},
    {L"dos-862", 862},
    {L"ibm862", 862},
    {L"cp862", 862},
    {L"862", 862},
    {L"cspc862latinhebrew", 862},
    {L"ibm863", 863},
    {L"cp863", 863},
    {L"863", 863},
    {L"csibm863", 863},
    {L"ibm864", 864},
    {L"cp864", 864},
    {L"csibm864", 864},
    {L"ibm865", 865},
    {L"cp865", 865},
    {L"865", 865},
    {L"csibm865", 865},
    {L"cp866", 866},
    {L"ibm866", 866},
    {L"866", 866},
    {L"csibm866", 866},
    {L"ibm869", 869},
    {L"cp869", 869},
    {L"cp-gr", 869},
    {L"csibm869", 869},
    {L"windows-874", 874},
    {L"dos-874", 874},
    {L"iso-8859-11", 874},
    {L"tis-620", 874},
    {L"cp874", 874},
    {L"shift_jis", 932},
    {L"shift-jis", 932},
    {L"sjis", 932},
    {L"ms_kanji", 932},
    {L"csshiftjis", 932},
    {L"cswindows31j", 932},
    {L"windows-31j", 932},
    {L"x-sjis", 932},
    {L"x-ms-cp932", 932},
    {L"cp932", 932},
    {L"gb2312", 936},
    {L"gbk", 936},
    {L"cp936", 936},
    {L"ms936", 936},
    {L"windows-936", 936},
    {L"csgb2312", 936},
    {L"gb_2312-80", 936},
    {L"gb2312-80", 936},
    {L"chinese", 936},
    {L"csiso58gb231280", 936},
    {L"iso-ir-58", 936},
    {L"x-gbk", 936},
    {L"ks_c_5601-1987", 949},
    {L"ks_c_5601", 949},
    {L"ks_c_5601-1989", 949},
    {L"ksc_5601", 949},
    {L"ksc5601", 949},
    {L"korean", 949},
    {L"csksc56011987", 949},
    {L"iso-ir-149", 949},
    {L"cp949", 949},
    {L"uhc", 949},
    {L"windows-949", 949},
    {L"big5", 950},
    {L"cn-big5", 950},
    {L"csbig5", 950},
    {L"x-x-big5", 950},
    {L"big5-hkscs", 950},
    {L"cp950", 950},
    {L"windows-950", 950},
    {L"ibm1026", 1026},
    {L"cp1026", 1026},
    {L"csibm1026", 1026},
    {L"ibm01047", 1047},
    {L"ibm1047", 1047},
    {L"cp1047", 1047},
    {L"utf-16", 1200},
    {L"utf-16le", 1200},
    {L"ucs-2", 1200},
    {L"ucs-2le", 1200},
    {L"unicode", 1200},
    {L"iso-10646-ucs-2", 1200},
    {L"csunicode", 1200},
    {L"utf-16be", 1201},
    {L"unicodefffe", 1201},
    {L"ucs-2be", 1201},
    {L"windows-1250", 1250},
    {L"x-cp1250", 1250},
    {L"cp1250", 1250},
    {L"windows-1251", 1251},
    {L"x-cp1251", 1251},
    {L"cp1251", 1251},
    {L"windows-1252", 1252},
    {L"x-ansi", 1252},
    {L"cp1252", 1252},
    {L"windows-1253", 1253},
    {L"cp1253", 1253},
    {L"windows-1254", 1254},
    {L"cp1254", 1254},
    {L"windows-1255", 1255},
    {L"cp1255", 1255},
    {L"windows-1256", 1256},
    {L"cp1256", 1256},
    {L"windows-1257", 1257},
    {L"cp1257", 1257},
    {L"windows-1258", 1258},
    {L"cp1258", 1258},
    {L"johab", 1361},
    {L"cp1361", 1361},
    {L"macintosh", 10000},
    {L"mac", 10000},
    {L"x-mac-roman", 10000},
    {L"csmacintosh", 10000},
    {L"x-mac-cyrillic", 10007},
    {L"maccyrillic", 10007},
    {L"x-mac-ce", 10029},
    {L"mac-centraleurope", 10029},
    {L"x-mac-icelandic", 10079},
    {L"macicelandic", 10079},
    {L"us-ascii", 20127},
    {L"ascii", 20127},
    {L"us", 20127},
    {L"ansi_x3.4-1968", 20127},
    {L"ansi_x3.4-1986", 20127},
    {L"cp367", 20127},
    {L"csascii", 20127},
    {L"ibm367", 20127},
    {L"iso-ir-6", 20127},
    {L"iso646-us", 20127},
    {L"iso_646.irv:1991", 20127},
    {L"koi8-r", 20866},
    {L"koi8", 20866},
    {L"koi", 20866},
    {L"cskoi8r", 20866},
    {L"koi8r", 20866},
    {L"koi8-u", 21866},
    {L"koi8-ru", 21866},
    {L"iso-8859-1", 28591},
    {L"iso8859-1", 28591},
    {L"iso_8859-1", 28591},
    {L"iso_8859-1:1987", 28591},
    {L"latin1", 28591},
    {L"l1", 28591},
    {L"iso-ir-100", 28591},
    {L"ibm819", 28591},
    {L"cp819", 28591},
    {L"csisolatin1", 28591},
    {L"iso-8859-2", 28592},
    {L"iso8859-2", 28592},
    {L"iso_8859-2", 28592},
    {L"iso_8859-2:1987", 28592},
    {L"latin2", 28592},
    {L"l2", 28592},
    {L"iso-ir-101", 28592},
    {L"csisolatin2", 28592},
    {L"iso-8859-3", 28593},
    {L"iso_8859-3", 28593},
    {L"iso_8859-3:1988", 28593},
    {L"latin3", 28593},
    {L"l3", 28593},
    {L"iso-ir-109", 28593},
    {L"csisolatin3", 28593},
    {L"iso-8859-4", 28594},
    {L"iso_8859-4", 28594},
    {L"iso_8859-4:1988", 28594},
    {L"latin4", 28594},
    {L"l4", 28594},
    {L"iso-ir-110", 28594},
    {L"csisolatin4", 28594},
    {L"iso-8859-5", 28595},
    {L"iso_8859-5", 28595},
    {L"iso_8859-5:1988", 28595},
    {L"cyrillic", 28595},
    {L"iso-ir-144", 28595},
    {L"csisolatincyrillic", 28595},
    {L"iso-8859-6", 28596},
    {L"iso_8859-6", 28596},
    {L"iso_8859-6:1987", 28596},
    {L"arabic", 28596},
    {L"iso-ir-127", 28596},
    {L"ecma-114", 28596},
    {L"csisolatinarabic", 28596},
    {L"iso-8859-7", 28597},
    {L"iso_8859-7", 28597},
    {L"iso_8859-7:1987", 28597},
    {L"greek", 28597},
    {L"greek8", 28597},
    {L"iso-ir-126", 28597},
    {L"ecma-118", 28597},
    {L"elot_928", 28597},
    {L"csisolatingreek", 28597},
    {L"iso-8859-8", 28598},
    {L"iso_8859-8", 28598},
    {L"iso_8859-8:1988", 28598},
    {L"hebrew", 28598},
    {L"iso-ir-138", 28598},
    {L"visual", 28598},
    {L"csisolatinhebrew", 28598},
    {L"iso-8859-9", 28599},
    {L"iso_8859-9", 28599},
    {L"iso_8859-9:1989", 28599},
    {L"latin5", 28599},
    {L"l5", 28599},
    {L"iso-ir-148", 28599},
    {L"csisolatin5", 28599},
    {L"iso-8859-13", 28603},
    {L"iso_8859-13", 28603},
    {L"iso-8859-15", 28605},
    {L"iso_8859-15", 28605},
    {L"latin-9", 28605},
    {L"latin9", 28605},
    {L"l9", 28605},
    {L"csisolatin9", 28605},
    {L"iso-8859-8-i", 38598},
    {L"logical", 38598},
    {L"iso-2022-jp", 50220},
    {L"csiso2022jp", 50221},
    {L"iso-2022-kr", 50225},
    {L"csiso2022kr", 50225},
    {L"iso-2022-cn", 50227},
    {L"x-cp50227", 50227},
    {L"euc-jp", 51932},
    {L"x-euc-jp", 51932},
    {L"x-euc", 51932},
    {L"cseucpkdfmtjapanese", 51932},
    {L"euc-cn", 51936},
    {L"x-euc-cn", 51936},
    {L"euc-kr", 51949},
    {L"cseuckr", 51949},
    {L"gb18030", 54936},
    {L"utf-7", 65000},
    {L"unicode-1-1-utf-7", 65000},
    {L"unicode-2-0-utf-7", 65000},
    {L"csunicode11utf7", 65000},
    {L"x-unicode20utf7", 65000},
    {L"utf-8", 65001},
    {L"utf8", 65001},
    {L"unicode-1-1-utf-8", 65001},
    {L"unicode-2-0-utf-8", 65001},
    {L"x-unicode20utf8", 65001},
};

// The names under which glibc's iconv knows the code pages of the table.
const char* IconvName(int codePage) {
    static const std::unordered_map<int, const char*> names = {
        {37, "IBM037"},         {437, "CP437"},          {500, "IBM500"},
        {708, "ASMO-708"},      {737, "CP737"},          {775, "CP775"},
        {850, "CP850"},         {852, "CP852"},          {855, "CP855"},
        {857, "CP857"},         {858, "CP858"},          {860, "CP860"},
        {861, "CP861"},         {862, "CP862"},          {863, "CP863"},
        {864, "CP864"},         {865, "CP865"},          {866, "CP866"},
        {869, "CP869"},         {874, "CP874"},          {932, "CP932"},
        {936, "CP936"},         {949, "CP949"},          {950, "CP950"},
        {1026, "IBM1026"},      {1047, "IBM1047"},       {1250, "CP1250"},
        {1251, "CP1251"},       {1252, "CP1252"},        {1253, "CP1253"},
        {1254, "CP1254"},       {1255, "CP1255"},        {1256, "CP1256"},
        {1257, "CP1257"},       {1258, "CP1258"},        {1361, "JOHAB"},
        {10000, "MACINTOSH"},   {10007, "MAC-CYRILLIC"}, {10029, "MAC-CENTRALEUROPE"},
        {10079, "MAC-IS"},      {20127, "ASCII"},        {20866, "KOI8-R"},
        {21866, "KOI8-U"},      {28591, "ISO-8859-1"},   {28592, "ISO-8859-2"},
        {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"},   {28595, "ISO-8859-5"},
        {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},   {28598, "ISO-8859-8"},
        {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"},  {28605, "ISO-8859-15"},
        {38598, "ISO-8859-8"},  {50220, "ISO-2022-JP"},  {50221, "ISO-2022-JP"},
        {50225, "ISO-2022-KR"}, {50227, "ISO-2022-CN"},  {51932, "EUC-JP"},
        {51936, "EUC-CN"},      {51949, "EUC-KR"},       {54936, "GB18030"},
        {65000, "UTF-7"},
    };
    const auto found = names.find(codePage);
    return found != names.end() ? found->second : "CP1252";
}

constexpr size_t kMaxEncodingNameLength = 100;

// An iconv conversion descriptor, closed with its owner.
class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Iconv() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // One conversion step; returns false with errno set when iconv stopped early.
    bool Convert(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) const {
        char* input = const_cast<char*>(in);
        const size_t result =
            iconv(handle_, in == nullptr ? nullptr : &input, &inLeft, &out, &outLeft);
        if (in != nullptr) {
            in = input;
        }
        return result != static_cast<size_t>(-1);
    }

private:
    iconv_t handle_;
};

CString DecodeWithIconv(std::string_view bytes, int codePage) {
    Iconv converter("WCHAR_T", IconvName(codePage));
    if (!converter.IsOpen()) {
        return Utf8ToWide(bytes);
    }
    CString text;
    text.reserve(bytes.size() + bytes.size() / 100);
    std::array<wchar_t, 1024> chunk;
    // One step into the chunk; 0 when it ran to the end of the input, else the error.
    const auto step = [&](const char*& in, size_t& inLeft) {
        char* out = reinterpret_cast<char*>(chunk.data());
        size_t outLeft = sizeof(chunk);
        const bool done = converter.Convert(in, inLeft, out, outLeft);
        const int error = done ? 0 : errno;
        text.append(chunk.data(), (sizeof(chunk) - outLeft) / sizeof(wchar_t));
        return error;
    };
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        const int error = step(in, inLeft);
        if (error == 0 || error == E2BIG) {
            continue;
        }
        // A byte the code page does not define, or a sequence cut short at the end.
        text += static_cast<wchar_t>(0xFFFD);
        if (error != EILSEQ) {
            break;
        }
        ++in;
        --inLeft;
    }
    const char* none = nullptr;
    size_t noneLeft = 0;
    while (step(none, noneLeft) == E2BIG) {
    }
    return text;
}

std::string EncodeWithIconv(std::wstring_view text, int codePage, size_t& lost) {
    Iconv converter(IconvName(codePage), "WCHAR_T");
    if (!converter.IsOpen()) {
        return WideToUtf8(text);
    }
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 100);
    std::array<char, 4096> chunk;
    const auto step = [&](const char*& in, size_t& inLeft) {
        char* out = chunk.data();
        size_t outLeft = chunk.size();
        const bool done = converter.Convert(in, inLeft, out, outLeft);
        const int error = done ? 0 : errno;
        bytes.append(chunk.data(), chunk.size() - outLeft);
        return error;
    };
    const char* in = reinterpret_cast<const char*>(text.data());
    size_t inLeft = text.size() * sizeof(wchar_t);
    while (inLeft > 0) {
        const int error = step(in, inLeft);
        if (error == 0 || error == E2BIG) {
            continue;
        }
        if (error != EILSEQ) {
            break;
        }
        // Not representable: a question mark instead, converted so that shift states hold.
        ++lost;
        in += sizeof(wchar_t);
        inLeft -= sizeof(wchar_t);
        static constexpr wchar_t kQuestionMark = L'?';
        const char* mark = reinterpret_cast<const char*>(&kQuestionMark);
        size_t markLeft = sizeof(wchar_t);
        while (markLeft > 0 && step(mark, markLeft) == E2BIG) {
        }
    }
    const char* none = nullptr;
    size_t noneLeft = 0;
    while (step(none, noneLeft) == E2BIG) {
    }
    return bytes;
}

CString DecodeUtf32(std::string_view bytes, bool bigEndian) {
    CString text;
    text.reserve(bytes.size() / 4);
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        char32_t value = 0;
        for (size_t k = 0; k < 4; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + (bigEndian ? k : 3 - k)]);
            value = (value << 8) | byte;
        }
        text += static_cast<wchar_t>(value > 0x10FFFF ? 0xFFFD : value);
    }
    return text;
}

std::string EncodeUtf32(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (const wchar_t ch : text) {
        const auto value = static_cast<char32_t>(ch);
        for (size_t k = 0; k < 4; ++k) {
            const size_t shift = bigEndian ? 24 - 8 * k : 8 * k;
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
    }
    return bytes;
}

std::u16string UnitsFromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

std::string BytesFromUnits(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

int CodePageOfEncoding(std::wstring_view encoding) {
    static const std::unordered_map<std::wstring_view, int> table = [] {
        std::unordered_map<std::wstring_view, int> names;
        for (const CharsetName& row : kCharsetNames) {
            names.emplace(row.name, row.codePage);
        }
        return names;
    }();
    if (encoding.empty() || encoding.size() >= kMaxEncodingNameLength) {
        return CodePage::kAnsi;
    }
    const CString folded = FoldedAscii(encoding);
    if (folded.starts_with(L"utf-32")) {
        return folded == L"utf-32be" ? CodePage::kUtf32Be : CodePage::kUtf32Le;
    }
    const auto found = table.find(folded);
    return found != table.end() ? found->second : CodePage::kAnsi;
}

CString DecodeCodePage(std::string_view bytes, int codePage) {
    switch (codePage) {
        case CodePage::kUtf8:
            return Utf8ToWide(bytes);
        case CodePage::kUtf16Le:
        case CodePage::kUtf16Be:
            return TextFromUtf16(UnitsFromBytes(bytes, codePage == CodePage::kUtf16Be));
        case CodePage::kUtf32Le:
        case CodePage::kUtf32Be:
            return DecodeUtf32(bytes, codePage == CodePage::kUtf32Be);
        default:
            return DecodeWithIconv(bytes, codePage);
    }
}

std::string EncodeCodePage(std::wstring_view text, int codePage, size_t& lost) {
    switch (codePage) {
        case CodePage::kUtf8:
            return WideToUtf8(text);
        case CodePage::kUtf16Le:
        case CodePage::kUtf16Be:
            return BytesFromUnits(Utf16FromText(text), codePage == CodePage::kUtf16Be);
        case CodePage::kUtf32Le:
        case CodePage::kUtf32Be:
            return EncodeUtf32(text, codePage == CodePage::kUtf32Be);
        default:
            return EncodeWithIconv(text, codePage, lost);
    }
}

CString TextFromUtf16(std::u16string_view units) {
    CString text;
    text.reserve(units.size() + units.size() / 100);
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            text +=
                static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            text += static_cast<wchar_t>(unit);
        }
    }
    return text;
}

std::u16string Utf16FromText(std::wstring_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const wchar_t ch : text) {
        auto value = static_cast<char32_t>(ch);
        if (value > 0x10FFFF) {
            value = 0xFFFD;
        }
        if (value >= 0x10000) {
            value -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (value >> 10));
            units += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
        } else {
            units += static_cast<char16_t>(value);
        }
    }
    return units;
}
