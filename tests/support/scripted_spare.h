#pragma once

#include "imaging/picture_decoder.h"

#include <functional>
#include <thread>
#include <vector>

namespace ruvo::test {

// What the spare core does with the task it is offered: runs it before handing control
// back, on a thread of its own, only once the caller has returned, or never.
enum class Spare
{
    Inline,
    Thread,
    Late,
    Never
};

const char* spareName(Spare kind);

// A spare core that does as scripted.
class ScriptedSpare
{
public:
    explicit ScriptedSpare(Spare kind) : m_kind(kind) {}
    ~ScriptedSpare() { join(); }
    ScriptedSpare(const ScriptedSpare&) = delete;
    ScriptedSpare& operator=(const ScriptedSpare&) = delete;

    SpareCore core();
    int offered() const { return m_offered; }
    // Waits for the tasks run on threads of their own.
    void join();
    // Runs the tasks held back until now.
    void runHeld();

private:
    const Spare m_kind;
    int m_offered = 0;
    std::vector<std::thread> m_threads;
    std::vector<std::function<void()>> m_held;
};

} // namespace ruvo::test
