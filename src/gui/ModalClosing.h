#pragma once

namespace quorvel {

// Closes every modal window open, innermost first, as Escape would: a question is answered
// "No". A request to end the program (a logout's SIGTERM) must not wait for a box nobody
// answers, nor be refused because the box's run is still in hand.
void closeModalWindows();

} // namespace quorvel
