#pragma once

#include <system_error>
#include <thread>

// Runs here on this thread and beside on a thread of its own, and returns
// when both are done. Where no thread can be started, both run here.
template <typename Here, typename Beside>
void bothAtOnce(Here&& here, Beside&& beside)
{
    std::thread other;
    try {
        other = std::thread(beside);
    } catch (const std::system_error&) {
        beside();
    }
    here();
    if (other.joinable())
        other.join();
}
