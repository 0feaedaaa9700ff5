// The three standard descriptors at a program's start. A program started
// with one of them closed would hand that number to the next file it opens
// (the order file, the result file), and its own output would then land in
// that file.
#pragma once

namespace diz {

// Opens each of descriptors 0, 1 and 2 that is closed on the null device,
// read-only: nothing else then takes their numbers, and a write to a closed
// standard output still fails (and is reported) rather than vanishing. Call
// it first thing in main(), before any file is opened. Nothing on Windows,
// whose standard handles are no descriptor numbers a file could take.
void openClosedStandardStreams();

}  // namespace diz
