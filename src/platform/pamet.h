#pragma once
// Giving freed heap memory back to the system.
//
// The C library keeps a heap per thread that allocates (an arena): memory a
// walk's threads free stays in their arenas, where the window's thread and a
// sort's thread cannot reuse it. After a run of 1 000 000 files per side some
// 40 MB freed by the walk stayed resident while the final sort of the lists
// took as much again from an arena of its own.

namespace zrc {

// Returns the free pages of every arena to the system (a few milliseconds
// after a large run); a no-op where the C library has no such call.
void vratVolnouPamet();

} // namespace zrc
