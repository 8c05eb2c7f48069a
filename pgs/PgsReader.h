// Reading a Blu-ray presentation graphics stream (a PGS .sup file) back into timed pictures:
// the display sets of every epoch replayed as a player does (objects and palettes kept through
// the epoch, palette updates, acquisition points, windows and cropping), each change of the
// screen one display. Damaged streams are read as far as they go; what could not be read is
// named with its byte position.
#pragma once

#include "render/Picture.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumelle::pgs {

// Bytes kept alive by a shared owner: a part of a whole file as read, or bytes of their own.
// Copies share the bytes; two compare equal when their bytes do.
class SharedBytes
{
public:
    SharedBytes() = default;
    explicit SharedBytes(std::vector<std::uint8_t> bytes);
    SharedBytes(std::shared_ptr<const void> owner, const std::uint8_t* data, std::size_t size)
        : m_owner(std::move(owner)), m_data(data), m_size(size)
    {}
    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const std::uint8_t* begin() const { return m_data; }
    const std::uint8_t* end() const { return m_data + m_size; }
    // Keeps only the first `size` bytes.
    void truncate(std::size_t size) { m_size = std::min(m_size, size); }
    friend bool operator==(const SharedBytes& a, const SharedBytes& b);

private:
    std::shared_ptr<const void> m_owner;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

// One object as the stream codes it: its run-length rows, checked when read, drawn only when
// a picture needs it (on the drawing threads, at a fraction of the memory of its pixels).
struct ReadObject
{
    int width = 0;
    int height = 0;
    SharedBytes coded;                     // the rows up to the first fault
    bool whole = false;                    // every row full width, none missing
    std::array<std::uint32_t, 256> uses{}; // pixels of each palette index
};

// The 256 colours of a palette as shown, straight (not premultiplied) ARGB; entries the stream
// never defined are transparent.
using ReadPalette = std::array<QRgb, 256>;

// One object on screen: `area` the part of the object shown (its crop, within the object) and
// `at` where that part's top-left lies in the frame, clipped to the object's window.
struct ShownObject
{
    std::shared_ptr<const ReadObject> object;
    QRect area;
    QPoint at;
    bool forced = false;
};

// One state of the screen and when it shows, in 90 kHz ticks.
struct ReadDisplay
{
    long long start = 0;
    long long end = -1;     // -1: the stream never hides it
    std::size_t offset = 0; // of the composition that shows it
    QSize frame;
    std::shared_ptr<const ReadPalette> palette;
    std::vector<ShownObject> objects;

    bool forced() const;
    // The part of the frame its objects cover.
    QRect box() const;
};

struct ReadProblem
{
    std::size_t offset = 0;
    QString message;
};

struct ReadStream
{
    std::vector<ReadDisplay> displays; // in show order
    std::vector<ReadProblem> problems;
    QSize frame; // of the first composition; empty when none was read
};

// Whether `head` (the first bytes of a file) opens a presentation graphics stream: "PG" and a
// known segment type.
bool LooksLikePgs(const std::uint8_t* head, std::size_t size);
// The same for a file on disk; false when it cannot be read.
bool IsPgsFile(const QString& path);

ReadStream ReadPgs(const std::uint8_t* data, std::size_t size);
// Throws Error with the system's reason when the file cannot be read.
ReadStream ReadPgsFile(const QString& path);

// Draws `display` in full colour: `image.box` the part of the frame its objects cover,
// `image.argb` that part (Format_ARGB32_Premultiplied).
void ComposeDisplay(const ReadDisplay& display, ColourImage& image);

// A palette entry's colour: Y, Cr, Cb in TV range (BT.709 for high definition, BT.601 else).
QRgb ShownColour(int y, int cr, int cb, int alpha, bool highDefinition);

} // namespace lumelle::pgs
