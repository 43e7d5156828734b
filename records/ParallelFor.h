// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

// Runs body(i) for i = 0..count-1 on worker threads, handing out the indices in increasing
// order, while the calling thread reports progress. progress(done) is called on the calling
// thread now and then and at the end; returning false stops handing out indices (the bodies
// running finish). A body that throws stops the others likewise; after every worker has ended,
// the exception of the lowest failing index is rethrown, so the failure reported does not
// depend on the timing. threads 0 means one per core. Returns false when progress stopped it.
bool ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& body,
                 const std::function<bool(std::size_t done)>& progress = {});

// The number of workers for threads 0 (every core) or as given, at least 1.
unsigned WorkerCount(unsigned threads);
