#pragma once

namespace quorvel {

// Catches the first SIGINT so the run can end as interrupted; a second one ends the process.
void watchInterruptSignal();
bool interruptReceived();

} // namespace quorvel
