#include "platform/mail/MailJobs.h"

#include <QMetaObject>

namespace kelvo {

TMailJobs::TMailJobs() : context_(std::make_unique<QObject>()) {}

TMailJobs::~TMailJobs() {
    abort_ = true;
    std::list<std::unique_ptr<Job>> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
    for (auto& job : jobs)
        if (job->Thread.joinable())
            job->Thread.join();
}

void TMailJobs::JoinFinished() {
    std::lock_guard lock(mutex_);
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if ((*it)->Finished) {
            (*it)->Thread.join();
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
}

void TMailJobs::Run(TWork work, TProgress progress, std::function<void(const std::string&)> done) {
    JoinFinished();
    auto job = std::make_unique<Job>();
    Job* raw = job.get();
    QObject* context = context_.get();
    auto post = [context](std::function<void()> call) {
        QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
    };
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    raw->Thread = std::thread([this, raw, post, work = std::move(work),
                               progress = std::move(progress), done = std::move(done)] {
        const TProgress report = [&post, &progress](int percent) {
            post([progress, percent] {
                if (progress)
                    progress(percent);
            });
        };
        std::string error;
        try {
            error = work(report, abort_);
        } catch (const std::exception& e) {
            error = e.what();
            if (error.empty())
                error = "Unknown error";
        }
        post([done, error] {
            if (done)
                done(error);
        });
        raw->Finished = true;
    });
}

} // namespace kelvo
