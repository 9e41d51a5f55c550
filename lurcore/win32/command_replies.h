// The answers to the program's calls that wait for their command to be carried out. Each command gets
// a number as it is posted, and its caller waits for that number alone: the engine's thread carries
// commands out in the order they were posted, so an answer to a number answers every earlier one too,
// and a late answer to a call that gave up waiting can never let a later call return early.
// Built on the system's own lock and event: the C++ library's threads would bring its exceptions and
// the POSIX layer into the engine.
#pragma once

#include <windows.h>

#include <cstdint>

namespace lurcore {

// A critical section held for the life of a scope.
class SectionLock {
public:
    explicit SectionLock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~SectionLock() { LeaveCriticalSection(&section_); }
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

private:
    CRITICAL_SECTION& section_;
};

class CommandReplies {
public:
    CommandReplies() {
        InitializeCriticalSection(&section_);
        changed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    }
    ~CommandReplies() {
        if (changed_ != nullptr) {
            CloseHandle(changed_);
        }
        DeleteCriticalSection(&section_);
    }
    CommandReplies(const CommandReplies&) = delete;
    CommandReplies& operator=(const CommandReplies&) = delete;

    // The number of a command about to be posted.
    std::uint32_t next() {
        const SectionLock lock(section_);
        return ++issued_;
    }

    // The engine's thread: command `number` has been carried out. `ending`: the thread ends after it.
    void answer(std::uint32_t number, bool ending = false) {
        {
            const SectionLock lock(section_);
            answered_ = number;
            ending_ = ending;
        }
        SetEvent(changed_);
    }

    struct Answer {
        bool answered = false; // false: the time ran out first
        bool ending = false;   // the engine's thread ends after this command
    };

    // One caller waits at a time (the program's calls are made one after another); an answer that
    // came for an earlier number only wakes it to look again.
    Answer wait(std::uint32_t number, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        for (;;) {
            {
                const SectionLock lock(section_);
                if (reached(number)) {
                    return {true, answered_ == number && ending_};
                }
            }
            const DWORD spent = GetTickCount() - start;
            if (spent >= timeoutMs || changed_ == nullptr ||
                WaitForSingleObject(changed_, timeoutMs - spent) != WAIT_OBJECT_0) {
                const SectionLock lock(section_);
                return {reached(number), reached(number) && answered_ == number && ending_};
            }
        }
    }

private:
    bool reached(std::uint32_t number) const { return static_cast<std::int32_t>(answered_ - number) >= 0; }

    CRITICAL_SECTION section_;
    HANDLE changed_ = nullptr;
    std::uint32_t issued_ = 0;
    std::uint32_t answered_ = 0;
    bool ending_ = false;
};

} // namespace lurcore
