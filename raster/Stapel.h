#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>

// Sharing the pixel work of a raster pass between the calling thread and one
// helper, while the calling thread keeps all reading, writing, progress, event
// pumping and abort tests to itself.

// Runs work(i, thread) for every i in [0, count) on a helper thread (thread 1)
// and on the calling thread (thread 0), which runs besides() first, so reading
// and writing overlap the work. Items are handed out one at a time, so the
// calling thread takes over fewer of them the longer besides() took. work must
// not throw; when besides() throws, the helper finishes before the exception leaves.
template <class Work, class Besides>
void inTwoThreads(int64_t count, const Work& work, const Besides& besides)
{
    std::atomic<int64_t> next{0};
    const auto run = [&](int thread) {
        for (int64_t i = next++; i < count; i = next++)
            work(i, thread);
    };
    std::jthread helper(run, 1);
    besides();
    run(0);
}

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
    read(0, count(0), 0);
    int set = 0;
    int32_t y0 = 0;
    for (;; y0 += stapel, set ^= 1) {
        inTwoThreads(
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
