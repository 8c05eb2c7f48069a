// The exit statuses of lumelle-convert beyond 0 (done), 1 (a file failed) and 2 (bad usage).
#pragma once

namespace lumelle {

// A file was converted (or listed) with entries skipped.
constexpr int kEntriesSkipped = 3;

} // namespace lumelle
