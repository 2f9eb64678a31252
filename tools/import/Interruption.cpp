#include "Interruption.h"

#include <csignal>
#include <string>

namespace korvel::import {
namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void onInterrupt(int signal) { g_signal = signal; }

} // namespace

void installInterruptHandlers()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int interruptSignal() { return g_signal; }
void noteInterrupt(int signal) { g_signal = signal; }
void clearInterrupt() { g_signal = 0; }

const char* signalName(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    default: return "a signal";
    }
}

ImportInterrupted::ImportInterrupted(int signal)
    : std::runtime_error(std::string("interrupted by ") + signalName(signal)), m_signal(signal)
{
}

void throwIfInterrupted()
{
    if (const int s = interruptSignal())
        throw ImportInterrupted(s);
}

} // namespace korvel::import
