#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kelvo {

// Runs slow mail work on threads of its own and hands progress and the outcome back to the
// thread that created it, through its event loop. Destroying it aborts and waits for the
// work under way; reports not yet delivered are dropped.
class TMailJobs {
public:
    TMailJobs();
    ~TMailJobs();
    TMailJobs(const TMailJobs&) = delete;
    TMailJobs& operator=(const TMailJobs&) = delete;

    using TProgress = std::function<void(int percent)>;
    // Returns the error's message, empty on success. May call progress from its thread.
    using TWork =
        std::function<std::string(const TProgress& progress, const std::atomic<bool>& abort)>;

    void Run(TWork work, TProgress progress, std::function<void(const std::string&)> done);

private:
    struct Job {
        std::thread Thread;
        std::atomic<bool> Finished{false};
    };
    void JoinFinished();

    std::unique_ptr<QObject> context_;
    std::atomic<bool> abort_{false};
    std::mutex mutex_;
    std::list<std::unique_ptr<Job>> jobs_;
};

} // namespace kelvo
