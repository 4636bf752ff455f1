#pragma once

// The secret store asked on a thread of its own, so that a slow, locked or missing keyring
// never holds up the window: the answers come back through the event loop of the thread that
// made the worker, in the order of the requests.

#include "core/options/SecretStore.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class QObject;

namespace kelvo {

class TSecretServiceStore;

class TSecretStoreWorker : public IAsyncSecretStore {
public:
    TSecretStoreWorker();
    // Finish(0): nothing is waited for.
    ~TSecretStoreWorker() override;
    TSecretStoreWorker(const TSecretStoreWorker&) = delete;
    TSecretStoreWorker& operator=(const TSecretStoreWorker&) = delete;

    void Read(const std::string& key, TAnswer answer) override;
    void Write(const std::string& key, const std::string& secret, TAnswer answer) override;

    // For the program's end: waits at most bound for the requests under way, cancels what is
    // left (answered Failed) and gives every answer not yet given before it returns. Later
    // requests are answered Failed.
    void Finish(std::chrono::milliseconds bound);

private:
    struct TRequest {
        bool Write = false;
        std::string Key, Secret;
        TAnswer Answer;
    };
    void Queue(TRequest request);
    void Work();
    void Deliver();

    std::unique_ptr<TSecretServiceStore> store_;
    std::unique_ptr<QObject> context_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TRequest> queue_;
    std::vector<std::pair<TAnswer, TSecretAnswer>> answered_;
    bool busy_ = false;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace kelvo
