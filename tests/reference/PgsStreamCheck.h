// The tests' check of a whole presentation graphics stream (.sup) against the rules a Blu-ray
// muxer and a hardware player hold it to: segment order, composition numbers and states,
// windows, palettes, object fragments, what fits the frame and the buffers, and the decoder
// model's times. Written on its own from the format's description, sharing no code with the
// writer, so that a mistake in one is not repeated in the other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumelle::testing {

// Every rule the stream breaks, each naming the display set (from 0) and the rule; empty when
// the stream keeps them all.
std::vector<std::string> PgsStreamFaults(const std::vector<std::uint8_t>& stream);
// The same for the file at `path`; a file that cannot be read is a fault.
std::vector<std::string> PgsFileFaults(const std::string& path);

// The faults as lines, for a test's failure message.
std::string FaultText(const std::vector<std::string>& faults);

} // namespace lumelle::testing
