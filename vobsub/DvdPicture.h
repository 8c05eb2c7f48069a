// DVD subpictures read back from a file (a VobSub pair or a DVD .sup): each picture's times,
// place, two-bit pixels and the palette entries and contrast its four pixel values show in,
// with the streams and palette of the file and what could not be read, by byte position.
#pragma once

#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumelle {

struct DvdPicture
{
    long long start = 0;    // 90 kHz ticks
    long long end = -1;     // -1: the unit never hides it
    std::size_t offset = 0; // of its first pack or header in the file
    bool forced = false;
    QRect area;                             // in the frame; empty when it shows nothing
    std::vector<std::uint8_t> pixels;       // area.width() x area.height(), each 0..3, row by row
    std::array<std::uint8_t, 4> colour{};   // palette entry of pixel values 0..3
    std::array<std::uint8_t, 4> contrast{}; // 0 (transparent) to 15 (opaque), values 0..3
};

struct DvdStream
{
    int index = 0;                    // the subpicture stream: substream 0x20 + index
    QString code;                     // two letters; empty when the file names none
    QString alt;                      // the name players show; empty: none
    std::vector<DvdPicture> pictures; // in show order
};

struct DvdProblem
{
    QString file; // the file it lies in (the .idx or the .sub)
    std::size_t offset = 0;
    QString message; // names the byte position (or the line of an .idx)
};

struct DvdRead
{
    QSize frame; // the frame the pictures are placed in; empty when the file does not say
    std::array<QRgb, 16> palette{};
    // False when the file holds no palette (a DVD .sup, a .sub without its index): `palette`
    // is then sixteen greys, for the reader's caller to replace with the colours it knows.
    bool paletteGiven = false;
    // "custom colors: ON": the four pixel values show these colours instead, and those marked
    // transparent ("tridx") not at all.
    bool customColours = false;
    std::array<QRgb, 4> custom{};
    std::array<bool, 4> customTransparent{};
    int defaultStream = 0; // of `streams`
    std::vector<DvdStream> streams;
    std::vector<DvdProblem> problems;

    // How pixel value `value` of `picture` shows: straight ARGB.
    QRgb shown(const DvdPicture& picture, int value) const;
};

// A stream as the converter and the window name it: "1 (fr)", or "1" without a language.
QString DvdStreamName(const DvdStream& stream);
// Every stream of the file so named, joined by commas.
QString DvdStreamNames(const DvdRead& read);

} // namespace lumelle
