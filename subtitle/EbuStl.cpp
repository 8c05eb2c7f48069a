#include "subtitle/EbuStl.h"

#include "subtitle/CodePageConversion.h"
#include "subtitle/StyledLines.h"

#include <cstdio>
#include <cstring>

namespace lumelle {

namespace {

// Fields of the general block: offset and width in bytes.
struct Field
{
    std::size_t offset;
    std::size_t width;
};
constexpr Field kDiskFormatCode{3, 8};   // "STL25.01"
constexpr Field kDisplayStandard{11, 1}; // " ", "0" open, "1" and "2" teletext
constexpr Field kCodeTable{12, 2};       // "00".."04"
constexpr Field kLanguageCode{14, 2};    // hexadecimal, "09" English
constexpr Field kMaxRows{253, 2};        // MNR
constexpr Field kProgrammeStart{256, 8}; // TCP "HHMMSSFF"
constexpr Field kFirstInCue{264, 8};     // TCF "HHMMSSFF"

std::string field(const std::string& bytes, Field f)
{
    return bytes.size() >= f.offset + f.width ? bytes.substr(f.offset, f.width) : std::string();
}

std::optional<int> digits(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

std::optional<StlTimeCode> asciiTimeCode(const std::string& text, int framesPerSecond)
{
    if (text.size() != 8)
        return std::nullopt;
    StlTimeCode code;
    int* parts[] = {&code.hours, &code.minutes, &code.seconds, &code.frames};
    for (int i = 0; i < 4; ++i) {
        const auto value = digits(text.substr(std::size_t(i) * 2, 2));
        if (!value)
            return std::nullopt;
        *parts[i] = *value;
    }
    return code.valid(framesPerSecond) ? std::optional(code) : std::nullopt;
}

// The two-letter codes of the language codes of EBU Tech 3264, by code.
const char* languageOf(int code)
{
    static const char* const kEuropean[] = {
        "",   "sq", "br", "ca", "hr", "cy", "cs", "da", "de", "en", "es", "eo", "et", "eu", "fo",
        "fr", "fy", "ga", "gd", "gl", "is", "it", "se", "la", "lv", "lb", "lt", "hu", "mt", "nl",
        "no", "oc", "pl", "pt", "ro", "rm", "sr", "sk", "sl", "fi", "sv", "tr", "nl", "wa"};
    // From 0x7F downwards.
    static const char* const kOthers[] = {
        "am", "ar", "hy", "as", "az", "bm", "be", "bn", "bg", "my", "zh", "cv", "",   "ff", "ka",
        "el", "gu", "gn", "ha", "he", "hi", "id", "ja", "kn", "kk", "km", "ko", "lo", "mk", "mg",
        "ms", "",   "mr", "nd", "ne", "or", "",   "fa", "pa", "ps", "qu", "ru", "",   "",   "sn",
        "si", "so", "",   "sw", "tg", "ta", "tt", "te", "th", "uk", "ur", "uz", "vi", "zu"};
    if (code >= 0 && code < int(std::size(kEuropean)))
        return kEuropean[code];
    if (code <= 0x7F && 0x7F - code < int(std::size(kOthers)))
        return kOthers[0x7F - code];
    return "";
}

} // namespace

bool StlTimeCode::valid(int framesPerSecond) const
{
    return hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 && seconds >= 0 &&
           seconds < 60 && frames >= 0 && frames < framesPerSecond;
}

std::int64_t StlTimeCode::millis(int framesPerSecond) const
{
    const std::int64_t whole = (std::int64_t(hours) * 60 + minutes) * 60 + seconds;
    return whole * 1000 + (std::int64_t(frames) * 1000 + framesPerSecond / 2) / framesPerSecond;
}

std::string StlTimeCode::text() const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d:%02d", hours, minutes, seconds, frames);
    return buffer;
}

StlGeneral ReadGeneralBlock(const std::string& bytes)
{
    StlGeneral general;
    const std::string format = field(bytes, kDiskFormatCode);
    if (const auto rate = digits(format.substr(3, 2)); rate && *rate >= 24 && *rate <= 60)
        general.framesPerSecond = *rate;
    const std::string standard = field(bytes, kDisplayStandard);
    general.teletext = standard == "1" || standard == "2";
    general.codeTable = field(bytes, kCodeTable);
    const std::string language = field(bytes, kLanguageCode);
    if (language.size() == 2 &&
        language.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
        general.language = languageOf(std::stoi(language, nullptr, 16));
    if (const auto rows = digits(field(bytes, kMaxRows)); rows && *rows > 0)
        general.maxRows = *rows;
    if (general.teletext)
        general.maxRows = 23;
    general.programmeStart = asciiTimeCode(field(bytes, kProgrammeStart), general.framesPerSecond);
    general.firstInCue = asciiTimeCode(field(bytes, kFirstInCue), general.framesPerSecond);
    return general;
}

StlTextBlock ReadTextBlock(const char* block)
{
    const auto byte = [block](int i) { return int(static_cast<unsigned char>(block[i])); };
    StlTextBlock tti;
    // SGN (1), SN (2, least significant first), EBN (1), CS (1), TCI (4), TCO (4), VP (1),
    // JC (1), CF (1), TF (112).
    tti.subtitleNumber = byte(1) | byte(2) << 8;
    tti.extension = byte(3);
    tti.in = {byte(5), byte(6), byte(7), byte(8)};
    tti.out = {byte(9), byte(10), byte(11), byte(12)};
    tti.verticalPosition = byte(13);
    tti.justification = byte(14);
    tti.comment = byte(15) == 1;
    tti.text.assign(block + 16, kTtiBlockBytes - 16);
    return tti;
}

const char* StlCodePage(const std::string& codeTable)
{
    static const char* const kTables[] = {"ISO_6937", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7",
                                          "ISO-8859-8"};
    const auto table = digits(codeTable);
    return table && *table < int(std::size(kTables)) ? kTables[*table] : "";
}

namespace {

// Control codes of the text field.
constexpr unsigned char kLastColour = 0x07; // 0x00..0x07: teletext alphanumeric colours
constexpr unsigned char kDoubleHeight = 0x0D;
constexpr unsigned char kItalicsOn = 0x80;
constexpr unsigned char kItalicsOff = 0x81;
constexpr unsigned char kUnderlineOn = 0x82;
constexpr unsigned char kUnderlineOff = 0x83;
constexpr unsigned char kNewLine = 0x8A;
constexpr unsigned char kUnusedSpace = 0x8F; // fills the field after the text

// The teletext colours black, red, green, yellow, blue, magenta, cyan and white. White is
// the plain colour of teletext and is left to the window's text colour.
std::optional<ColorValue> teletextColour(unsigned char code)
{
    static const int kRgb[8] = {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00,
                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (code >= kLastColour)
        return std::nullopt;
    const int rgb = kRgb[code];
    return makeColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool isCharacter(unsigned char c)
{
    return (c >= 0x20 && c < 0x7F) || c >= 0xA0;
}

} // namespace

StlText DecodeStlText(const std::string& field, const std::string& codeTable)
{
    StlText out;
    StyledLines lines;
    TextStyle style;
    const char* codePage = StlCodePage(codeTable);
    std::size_t i = 0;
    while (i < field.size()) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (isCharacter(c)) {
            // A run of characters is decoded at once: a diacritical mark of ISO 6937 is a
            // byte of its own before the letter it goes on.
            std::size_t end = i;
            while (end < field.size() && isCharacter(static_cast<unsigned char>(field[end])))
                ++end;
            const std::string run = field.substr(i, end - i);
            lines.append(*codePage ? ToUtf8(run, codePage) : ToUtf8(run, "ISO_6937"), style);
            i = end;
            continue;
        }
        ++i;
        if (c == kUnusedSpace)
            continue;
        if (c == kNewLine) {
            // Each row starts in white, plain height; double-height rows are written with an
            // empty row between them, which is no line of text.
            lines.newLine();
            style.colour.reset();
            continue;
        }
        if (c == kItalicsOn || c == kItalicsOff)
            style.italic = c == kItalicsOn;
        else if (c == kUnderlineOn || c == kUnderlineOff)
            style.underline = c == kUnderlineOn;
        else if (c < 0x20) {
            // Teletext attributes take the place of a space.
            lines.append(" ", style);
            if (c <= kLastColour)
                style.colour = teletextColour(c);
            out.doubleHeight = out.doubleHeight || c == kDoubleHeight;
        }
    }
    out.marked = lines.take(kPlaceUnset);
    // Rows left empty between the rows of text are dropped.
    MarkedText& marked = out.marked;
    for (std::size_t line = marked.lines.size(); line-- > 0;) {
        if (!marked.lines[line].empty())
            continue;
        marked.lines.erase(marked.lines.begin() + std::ptrdiff_t(line));
        for (StyleSpan& span : marked.spans) {
            if (span.line > int(line))
                --span.line;
        }
    }
    return out;
}

int StlPlace(int verticalPosition, int justification, const StlGeneral& general)
{
    const double share = double(verticalPosition) / double(general.maxRows);
    // A position of 0 on a teletext page, or past the rows, is the usual bottom.
    const bool bottom = share > 2.0 / 3.0 || (general.teletext && verticalPosition == 0);
    const int row = bottom ? 0 : share >= 1.0 / 3.0 ? 1 : 2;
    if (justification < 1 || justification > 3)
        return row == 0 ? kPlaceUnset : 1 + row * 3 + 1;
    return 1 + row * 3 + (justification - 1);
}

} // namespace lumelle
