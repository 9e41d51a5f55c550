// The answers to the program's calls that wait for their command to be carried out. Each command gets
// a number as it is posted, and its caller waits for that number alone: the engine's thread carries
// commands out in the order they were posted, so an answer to a number answers every earlier one too,
// and a late answer to a call that gave up waiting can never let a later call return early.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace lurcore {

class CommandReplies {
public:
    // The number of a command about to be posted.
    std::uint32_t next() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return ++issued_;
    }

    // The engine's thread: command `number` has been carried out. `ending`: the thread ends after it.
    void answer(std::uint32_t number, bool ending = false) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            answered_ = number;
            ending_ = ending;
        }
        changed_.notify_all();
    }

    struct Answer {
        bool answered = false; // false: the time ran out first
        bool ending = false;   // the engine's thread ends after this command
    };

    Answer wait(std::uint32_t number, std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(mutex_);
        const bool answered = changed_.wait_for(lock, timeout, [&] { return reached(number); });
        return {answered, answered && answered_ == number && ending_};
    }

private:
    bool reached(std::uint32_t number) const { return static_cast<std::int32_t>(answered_ - number) >= 0; }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint32_t issued_ = 0;
    std::uint32_t answered_ = 0;
    bool ending_ = false;
};

} // namespace lurcore
