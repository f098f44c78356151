#pragma once
// While set, freed memory is kept as the destructors left it (and leaks), so
// that code reading a freed object finds its last values rather than
// whatever the heap wrote there. operator new and delete are replaced for
// the whole test program.
extern bool KeepFreedMemory;
