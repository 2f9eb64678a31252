#pragma once
// SIGINT and SIGTERM during an import: the handler only notes the signal; the
// import stops at its next row or SQLite step, leaves the output as it was,
// removes its temporary files, and the command says why it stopped.
#include <stdexcept>

namespace korvel::import {

void installInterruptHandlers();
// The signal that asked the import to stop; 0 when none did.
int interruptSignal();
// What a handler does: tests call it in place of a real signal.
void noteInterrupt(int signal);
void clearInterrupt();
// "SIGINT", "SIGTERM" or "signal N".
const char* signalName(int signal);

class ImportInterrupted : public std::runtime_error {
public:
    explicit ImportInterrupted(int signal);
    int signal() const { return m_signal; }

private:
    int m_signal;
};

// Throws ImportInterrupted once a signal has been noted.
void throwIfInterrupted();

} // namespace korvel::import
