#pragma once
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// Sharing the pixel work of a raster pass between the calling thread and one
// helper, while the calling thread keeps all reading, writing, progress, event
// pumping and abort tests to itself.

// One helper thread for a whole pass. The calling thread never waits for the
// helper to start, only for items the helper has already taken, so a helper
// that gets no core on a busy machine costs nothing but its share of the work.
class Helfer {
public:
    Helfer() : thread_([this] { schleife(); }) {}
    ~Helfer()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ende_ = true;
        }
        neu_.notify_one();
    }
    Helfer(const Helfer&) = delete;
    Helfer& operator=(const Helfer&) = delete;

    // Runs work(i, thread) for every i in [0, count), on the helper (thread 1)
    // and on the calling thread (thread 0), which runs besides() first, so
    // reading and writing overlap the work; items are handed out one at a time.
    // work must not throw; when besides() throws, the items the helper has
    // taken are finished before the exception leaves.
    template <class Work, class Besides>
    void teilen(int64_t count, const Work& work, const Besides& besides)
    {
        std::atomic<int64_t> next{0};
        const auto run = [&](int thread) {
            for (int64_t i = next++; i < count; i = next++)
                work(i, thread);
        };
        const Auftrag auftrag(*this, [&] { run(1); });
        besides();
        run(0);
    }

private:
    // A job offered to the helper while it exists.
    class Auftrag {
    public:
        Auftrag(Helfer& h, std::function<void()> job) : h_(h)
        {
            {
                std::lock_guard<std::mutex> lock(h_.mutex_);
                h_.job_ = std::move(job);
                h_.offen_ = true;
                ++h_.nummer_;
            }
            h_.neu_.notify_one();
        }
        ~Auftrag()
        {
            std::unique_lock<std::mutex> lock(h_.mutex_);
            h_.offen_ = false;
            h_.fertig_.wait(lock, [this] { return !h_.aktiv_; });
            h_.job_ = nullptr;
        }
        Auftrag(const Auftrag&) = delete;
        Auftrag& operator=(const Auftrag&) = delete;

    private:
        Helfer& h_;
    };

    void schleife()
    {
        uint64_t gesehen = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            neu_.wait(lock, [&] { return ende_ || (offen_ && nummer_ != gesehen); });
            if (ende_)
                return;
            gesehen = nummer_;
            aktiv_ = true;
            const std::function<void()> job = job_;
            lock.unlock();
            job();
            lock.lock();
            aktiv_ = false;
            fertig_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable neu_, fertig_;
    std::function<void()> job_;
    uint64_t nummer_ = 0;  // counts the jobs, so the helper takes each once
    bool offen_ = false;   // the current job may still be taken
    bool aktiv_ = false;   // the helper runs it
    bool ende_ = false;
    std::jthread thread_;  // last, so it starts after everything it uses
};

// Goes through rows 0 .. hoehe − 1 in batches of stapel rows held in two buffer
// sets (0 and 1): read(y0, count, set) fills a set, work(y, set, i) computes row
// y, the i-th of its batch, and write(y0, count, set) writes the batch. Batch k
// is computed on two threads while the calling thread writes batch k − 1 and
// reads batch k + 1, so rows are read and written in order, and a row is written
// only after every row before it.
template <class Read, class Work, class Write>
void inBatches(int32_t hoehe, int32_t stapel, const Read& read, const Work& work, const Write& write)
{
    const auto count = [&](int32_t y0) { return std::min(stapel, hoehe - y0); };
    if (hoehe <= 0)
        return;
    Helfer helfer;
    read(0, count(0), 0);
    int set = 0;
    int32_t y0 = 0;
    for (;; y0 += stapel, set ^= 1) {
        helfer.teilen(
            count(y0), [&](int64_t i, int) { work(y0 + static_cast<int32_t>(i), set, static_cast<int32_t>(i)); },
            [&] {
                if (y0 > 0)
                    write(y0 - stapel, stapel, set ^ 1);
                if (y0 + stapel < hoehe)
                    read(y0 + stapel, count(y0 + stapel), set ^ 1);
            });
        if (y0 + stapel >= hoehe)
            break;
    }
    write(y0, count(y0), set);
}
