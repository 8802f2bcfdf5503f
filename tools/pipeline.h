// A second thread that works through batches in the order they are sent, while the sender
// goes on: the reader of a long log reads on while the rows read so far are reduced and
// written. At most `depth` batches wait, so memory stays bounded when the worker is slower.
//   Pipeline<Rows> pipe([](Rows& rows) { Reduce(rows); });
//   pipe.Send(std::move(rows)); ... pipe.Close();  // the worker's exception comes out here
#ifndef CORVIXMATH_TOOLS_PIPELINE_H
#define CORVIXMATH_TOOLS_PIPELINE_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace corvix_tool {

template <class Batch>
class Pipeline {
 public:
  explicit Pipeline(std::function<void(Batch&)> work, std::size_t depth = 4)
      : work_(std::move(work)), depth_(depth), worker_([this] { Run(); }) {}

  // Stops the worker without waiting for what is left (the sender failed).
  ~Pipeline() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
      abandoned_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
  }

  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  // Queues a batch, waiting while the queue is full; the worker's failure is thrown here.
  void Send(Batch batch) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < depth_ || failure_; });
    if (failure_) std::rethrow_exception(failure_);
    waiting_.push_back(std::move(batch));
    changed_.notify_all();
  }

  // A batch the worker is done with, to be filled again (its vectors keep their room); false
  // when there is none yet.
  bool Reuse(Batch& batch) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (done_.empty()) return false;
    batch = std::move(done_.front());
    done_.pop_front();
    return true;
  }

  // Waits until every batch sent is worked through; the worker's failure is thrown here.
  void Close() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
    worker_.join();
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void Run() {
    for (;;) {
      Batch batch;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !waiting_.empty() || closed_; });
        if (abandoned_ || waiting_.empty()) return;
        batch = std::move(waiting_.front());
        waiting_.pop_front();
      }
      changed_.notify_all();
      try {
        work_(batch);
        std::lock_guard<std::mutex> lock(mutex_);
        if (done_.size() <= depth_) done_.push_back(std::move(batch));
      } catch (...) {
        std::lock_guard<std::mutex> lock(mutex_);
        failure_ = std::current_exception();
        changed_.notify_all();
        return;
      }
    }
  }

  std::function<void(Batch&)> work_;
  const std::size_t depth_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> waiting_;
  std::deque<Batch> done_;
  bool closed_ = false;
  bool abandoned_ = false;
  std::exception_ptr failure_;
  std::thread worker_;  // last: it starts once the rest is ready
};

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_PIPELINE_H
