// One picture as its output form encodes it, with the facts its writer needs of it later:
// pictures are encoded on worker threads in any order and written on one thread in show order,
// and what the writer must know then travels beside the bytes instead of being read back out
// of them.
#pragma once

#include <QRect>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumelle {

struct EncodedPicture
{
    // What goes into the files.
    std::vector<std::uint8_t> bytes;
    // The area of the frame the picture covers; empty when it shows nothing. The DVD forms
    // hold the place in their bytes and leave it empty.
    QRect box;
    // The windows of the frame the picture is shown in, in the order its bytes number them;
    // the display that hides it again empties the same windows.
    std::vector<QRect> windows;
    // Where `bytes` leaves two bytes (big-endian, 0 until then) for a number that only show
    // order gives, such as the count of displays before this one; none for a form without one.
    std::optional<std::size_t> showNumberAt;
    // The sizes of the parts `bytes` falls into when the form writes each window's picture
    // apart (a file each); empty when the bytes are one.
    std::vector<std::size_t> partSizes;
};

} // namespace lumelle
