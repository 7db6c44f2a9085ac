#pragma once

namespace quorvel {

// Gives the calling thread a table of descriptors of its own, for a thread that opens and reads
// files alone: opening and closing then take no lock the other threads take, and each thread
// reads without counting references. What the table held when copied is not this thread's to
// keep open, short of the standard streams. Every descriptor the thread opens must also be closed
// by it. Where the system refuses, the table stays shared, which is only slower.
void useOwnDescriptorTable();

} // namespace quorvel
