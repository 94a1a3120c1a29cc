#pragma once
// Ctrl+C in the terminal and a plain `kill` end the program as its Quit
// button would: the event loop ends and everything is closed in order.

namespace landora {

// Turns SIGINT and SIGTERM into the end of the application's event loop. Call
// once, after the application object exists and before the sound starts. A
// second signal, while the first is still being handled, ends the program at
// once.
void QuitOnTerminationSignals();

} // namespace landora
