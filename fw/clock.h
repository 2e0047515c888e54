#pragma once
#include <cstdint>

// The tick counter (sixtieths of a second), the loop yield and the waits built on them.
namespace fw {

std::int32_t Ticks();

// Tests run a clock that advances one tick at every reading, so no wait ever sleeps.
void useSelfAdvancingClock(bool on);

// Made once per pass of every loop of the game: pending paints, timers and input are handled.
// The game's own windows drop a person's input meanwhile (fw/inputgate.h), menu commands wait
// for the running handler (fw::MenuBar), and deferred work waits too (fw::runWhenIdle): input
// made while the dice roll or a computer plays is dropped, not replayed later.
void yieldToEventLoop();

// Waits until `ticks` ticks have passed since `start`, handling paints meanwhile, without
// spinning the processor. Returns at once when that time has already passed.
void waitUntilTicks(std::int32_t start, std::int32_t ticks);

}  // namespace fw
