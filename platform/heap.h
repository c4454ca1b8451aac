#pragma once

namespace platform {

// Serves large blocks from the heap and keeps freed heap memory for the next
// allocations. A window that lists, renames and restores tens of thousands
// of names then reuses its pages instead of taking fresh ones from the
// kernel for every run and restore (figures in bench/README.md, "Heap").
// Call once; the window calls it after its start-up listing, whose peak
// it would raise.
void keepFreedMemory();

} // namespace platform
