#include "platform/settings/SecretStoreWorker.h"

#include "platform/settings/SecretServiceStore.h"

#include <QMetaObject>
#include <QObject>

namespace kelvo {

namespace {

TSecretAnswer Failed(const std::string& error) {
    TSecretAnswer answer;
    answer.Kind = TSecretAnswer::TKind::Failed;
    answer.Error = error;
    return answer;
}

} // namespace

TSecretStoreWorker::TSecretStoreWorker()
    : store_(std::make_unique<TSecretServiceStore>()), context_(std::make_unique<QObject>()) {}

TSecretStoreWorker::~TSecretStoreWorker() {
    Finish(std::chrono::milliseconds(0));
}

void TSecretStoreWorker::Read(const std::string& key, TAnswer answer) {
    Queue({false, key, {}, std::move(answer)});
}

void TSecretStoreWorker::Write(const std::string& key, const std::string& secret, TAnswer answer) {
    Queue({true, key, secret, std::move(answer)});
}

void TSecretStoreWorker::Queue(TRequest request) {
    {
        const std::lock_guard lock(mutex_);
        if (finished_) {
            answered_.emplace_back(std::move(request.Answer),
                                   Failed("The program is ending; the secret store is not asked."));
        } else {
            queue_.push_back(std::move(request));
            if (!thread_.joinable())
                thread_ = std::thread([this] { Work(); });
            changed_.notify_all();
            return;
        }
    }
    // Never inside the call.
    QMetaObject::invokeMethod(
        context_.get(), [this] { Deliver(); }, Qt::QueuedConnection);
}

void TSecretStoreWorker::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return finished_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        TRequest request = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        TSecretAnswer answer;
        try {
            if (!store_->Available()) {
                answer.Kind = TSecretAnswer::TKind::NoStore;
            } else {
                if (!request.Write)
                    answer.Secret = store_->Read(request.Key);
                else if (request.Secret.empty())
                    store_->Remove(request.Key);
                else
                    store_->Write(request.Key, request.Secret);
                answer.Kind = TSecretAnswer::TKind::Done;
            }
        } catch (const std::exception& e) {
            answer = Failed(e.what());
        }
        lock.lock();
        busy_ = false;
        answered_.emplace_back(std::move(request.Answer), std::move(answer));
        changed_.notify_all();
        QMetaObject::invokeMethod(
            context_.get(), [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void TSecretStoreWorker::Deliver() {
    std::vector<std::pair<TAnswer, TSecretAnswer>> answered;
    {
        const std::lock_guard lock(mutex_);
        answered.swap(answered_);
    }
    for (auto& [answer, what] : answered)
        if (answer)
            answer(what);
}

void TSecretStoreWorker::Finish(std::chrono::milliseconds bound) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, bound, [this] { return queue_.empty() && !busy_; });
        finished_ = true;
        for (TRequest& request : queue_)
            answered_.emplace_back(std::move(request.Answer),
                                   Failed("The secret store did not answer in time."));
        queue_.clear();
        changed_.notify_all();
    }
    // A keyring that does not answer gives up the call under way at once.
    store_->Cancel();
    if (thread_.joinable())
        thread_.join();
    Deliver();
}

} // namespace kelvo
