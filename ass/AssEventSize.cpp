#include "ass/AssEventSize.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace lumelle {

namespace {

// How many pictures of the frame the letters, or a drawing, of one event may cover at most.
constexpr int kPicturesOfLetters = 8;

// The largest values an event asks for, in script units (PlayRes pixels); scales in percent.
struct Largest
{
    double fontSize = 0;
    double scaleX = 0;
    double scaleY = 0;
    double border = 0;  // outline, shadow or blur: each grows the bitmap on every side
    double drawing = 0; // the farthest drawing coordinate from its origin
    long long letters = 0;
};

// The characters of text shown as letters (UTF-8 lead bytes; \N and \h count as one each).
long long lettersIn(const std::string& text)
{
    long long letters = 0;
    for (const char c : text)
        letters += (uchar(c) & 0xC0) != 0x80;
    return letters;
}

void takeStyle(Largest& l, const ASS_Style& style)
{
    l.fontSize = std::max(l.fontSize, std::abs(style.FontSize));
    l.scaleX = std::max(l.scaleX, std::abs(style.ScaleX) * 100);
    l.scaleY = std::max(l.scaleY, std::abs(style.ScaleY) * 100);
    l.border =
        std::max({l.border, std::abs(style.Outline), std::abs(style.Shadow), std::abs(style.Blur)});
}

// The number a tag's value starts with; relative sizes (\fs+10) count by their size.
double tagValue(const char* at)
{
    return std::abs(std::strtod(at, nullptr));
}

bool startsWith(const char* at, const char* prefix)
{
    return std::strncmp(at, prefix, std::strlen(prefix)) == 0;
}

// One override tag (the text after its backslash); `drawingLevel` follows \p.
void takeTag(Largest& l, const char* tag, int& drawingLevel)
{
    static const char* const borders[] = {"xbord", "ybord", "bord", "xshad",
                                          "yshad", "shad",  "blur", "be"};
    if (startsWith(tag, "fscx"))
        l.scaleX = std::max(l.scaleX, tagValue(tag + 4));
    else if (startsWith(tag, "fscy"))
        l.scaleY = std::max(l.scaleY, tagValue(tag + 4));
    else if (startsWith(tag, "fs") && (std::isdigit(uchar(tag[2])) || tag[2] == '+'))
        l.fontSize = std::max(l.fontSize, tagValue(tag + 2));
    else if (tag[0] == 'p' && std::isdigit(uchar(tag[1])))
        drawingLevel = std::atoi(tag + 1);
    else
        for (const char* name : borders)
            if (startsWith(tag, name)) {
                l.border = std::max(l.border, tagValue(tag + std::strlen(name)));
                break;
            }
}

// The farthest coordinate of drawing commands, scaled down by their level (\p2 halves them).
double drawingReach(const std::string& commands, int level)
{
    double reach = 0;
    const char* at = commands.c_str();
    while (*at) {
        char* end = nullptr;
        const double value = std::strtod(at, &end);
        if (end == at) {
            ++at;
            continue;
        }
        reach = std::max(reach, std::abs(value));
        at = end;
    }
    return reach / std::ldexp(1.0, std::clamp(level, 1, 30) - 1);
}

Largest largestOf(const ASS_Track& track, const ASS_Event& event)
{
    Largest l;
    const std::string text = event.Text ? event.Text : "";
    if (event.Style >= 0 && event.Style < track.n_styles)
        takeStyle(l, track.styles[event.Style]);
    // \r may switch to any style of the script.
    if (text.find("\\r") != std::string::npos)
        for (int i = 0; i < track.n_styles; ++i)
            takeStyle(l, track.styles[i]);
    int drawingLevel = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        const std::string shown = text.substr(at, open - at);
        if (drawingLevel > 0)
            l.drawing = std::max(l.drawing, drawingReach(shown, drawingLevel));
        else
            l.letters += lettersIn(shown);
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find('}', open);
        const std::string block = text.substr(open, close - open);
        for (std::size_t tag = block.find('\\'); tag != std::string::npos;
             tag = block.find('\\', tag + 1))
            takeTag(l, block.c_str() + tag + 1, drawingLevel);
        if (close == std::string::npos)
            break;
        at = close + 1;
    }
    // An event without a style of its own is drawn at 100 %.
    if (l.scaleX == 0)
        l.scaleX = 100;
    if (l.scaleY == 0)
        l.scaleY = 100;
    return l;
}

// The script's PlayRes as libass completes it when one or both are missing.
QSize playResolution(const ASS_Track& track)
{
    int x = track.PlayResX, y = track.PlayResY;
    if (x <= 0 && y <= 0)
        return {384, 288};
    if (y <= 0)
        y = x == 1280 ? 1024 : std::max(1, x * 3 / 4);
    if (x <= 0)
        x = y == 1024 ? 1280 : std::max(1, y * 4 / 3);
    return {x, y};
}

} // namespace

QString AssEventTooLarge(const ASS_Track& track, const ASS_Event& event, QSize frame)
{
    const Largest l = largestOf(track, event);
    const QSize play = playResolution(track);
    const double sx = double(frame.width()) / play.width();
    const double sy = double(frame.height()) / play.height();
    const double side = std::max(frame.width(), frame.height());
    const double tall = l.fontSize * l.scaleY / 100 * sy;
    const double wide = l.fontSize * l.scaleX / 100 * sx;
    const double letter = std::max(tall, wide);
    if (letter > side)
        return QStringLiteral("its letters would be %1 pixels high or wide, more than the "
                              "picture's %2 pixels")
            .arg(std::llround(std::min(letter, 1e15)))
            .arg(int(side));
    // Every letter is held whole, wherever it lands: all of them together may cover a few
    // pictures, no more.
    if (double(l.letters) * tall * wide > kPicturesOfLetters * frame.width() * frame.height())
        return QStringLiteral("its %1 letters of %2 pixels would cover more than %3 pictures of "
                              "%4x%5")
            .arg(l.letters)
            .arg(std::llround(letter))
            .arg(kPicturesOfLetters)
            .arg(frame.width())
            .arg(frame.height());
    const double border = l.border * std::max(sx, sy);
    if (border > side / 2)
        return QStringLiteral("its border, shadow or blur would reach %1 pixels, more than half "
                              "the picture's %2 pixels")
            .arg(std::llround(std::min(border, 1e15)))
            .arg(int(side));
    // A drawing is held as a square of its reach on every side.
    const double drawing = l.drawing * std::max(l.scaleX, l.scaleY) / 100 * std::max(sx, sy);
    if (drawing * drawing > kPicturesOfLetters * frame.width() * frame.height())
        return QStringLiteral("its drawing would reach %1 pixels: more than %2 pictures of %3x%4")
            .arg(std::llround(std::min(drawing, 1e15)))
            .arg(kPicturesOfLetters)
            .arg(frame.width())
            .arg(frame.height());
    return QString();
}

} // namespace lumelle
