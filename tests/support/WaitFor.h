// Bounded waits for tests that watch something happen on another thread or
// in another process: a window coming up, a file appearing, a job ending.
// Every wait has a bound, so that a broken program makes a test fail instead
// of hanging it.
#pragma once

#include <functional>

// The bound that tests use unless a case needs another.
const unsigned kWaitBoundMs = 30000;

// Polls condition until it holds or boundMs have passed; true when it held.
bool WaitFor(const std::function<bool()>& condition, unsigned boundMs = kWaitBoundMs);
