#pragma once

#include <cstdint>
#include <functional>

// How far the resident memory of a child process rose above what it held at its start while it
// ran work; -1 when no child could be run. Memory figures mean nothing under AddressSanitizer,
// whose shadow and quarantine dwarf them: there MeasuresMemory() is false.
int64_t PeakMemoryGrowth(const std::function<void()>& work);
bool MeasuresMemory();
