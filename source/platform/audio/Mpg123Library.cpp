#include "platform/audio/Mpg123Library.h"

#define MPG123_NO_LARGENAME
#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <mpg123.h>
#include <mutex>
#include <out123.h>
#include <thread>
#include <vector>

namespace kelvo {

namespace {

// Error codes of the decoder table.
constexpr int kInternal = 1;
constexpr int kIncorrectMode = 2;
constexpr int kInputStream = 3;
constexpr int kOutputDevice = 5;

struct Entries {
    int (*Init)();
    mpg123_handle* (*New)(const char*, int*);
    void (*Delete)(mpg123_handle*);
    int (*Param)(mpg123_handle*, enum mpg123_parms, long, double);
    int (*Open)(mpg123_handle*, const char*);
    int (*Close)(mpg123_handle*);
    int (*GetFormat)(mpg123_handle*, long*, int*, int*);
    int (*FormatNone)(mpg123_handle*);
    int (*Format)(mpg123_handle*, long, int, int);
    int (*Read)(mpg123_handle*, void*, size_t, size_t*);
    off_t (*Seek)(mpg123_handle*, off_t, int);
    off_t (*Tell)(mpg123_handle*);
    off_t (*Length)(mpg123_handle*);
    out123_handle* (*OutNew)();
    void (*OutDel)(out123_handle*);
    int (*OutParam)(out123_handle*, int, long, double, const char*);
    int (*OutOpen)(out123_handle*, const char*, const char*);
    int (*OutStart)(out123_handle*, long, int, int);
    size_t (*OutPlay)(out123_handle*, void*, size_t);
    void (*OutDrain)(out123_handle*);
    void (*OutStop)(out123_handle*);
    void (*OutClose)(out123_handle*);
};

template <class F> bool Resolve(void* library, const char* name, F& target) {
    target = reinterpret_cast<F>(dlsym(library, name));
    return target != nullptr;
}

class TMpg123Library : public IMPEGLibrary {
public:
    TMpg123Library(void* decoder, void* output, const Entries& e, std::string out)
        : decoderLib_(decoder), outputLib_(output), e_(e) {
        const auto colon = out.find(':');
        driver_ = out.substr(0, colon);
        if (colon != std::string::npos)
            device_ = out.substr(colon + 1);
    }
    ~TMpg123Library() override {
        Close();
        if (ao_)
            e_.OutDel(ao_);
        dlclose(outputLib_);
        dlclose(decoderLib_);
    }

    bool Init() override {
        error_ = 0;
        if (e_.Init() != MPG123_OK) {
            error_ = kInternal;
            return false;
        }
        ao_ = e_.OutNew();
        if (!ao_) {
            error_ = kOutputDevice;
            return false;
        }
        e_.OutParam(ao_, OUT123_FLAGS, OUT123_QUIET, 0, nullptr);
        return true;
    }
    void Deinit() override { error_ = 0; }

    void Open(const std::string& fileName) override {
        Close();
        error_ = 0;
        int result = 0;
        mh_ = e_.New(nullptr, &result);
        if (!mh_) {
            error_ = kInternal;
            return;
        }
        e_.Param(mh_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
        int channels = 0;
        int encoding = 0;
        if (e_.Open(mh_, fileName.c_str()) != MPG123_OK ||
            e_.GetFormat(mh_, &rate_, &channels, &encoding) != MPG123_OK || rate_ <= 0) {
            e_.Delete(mh_);
            mh_ = nullptr;
            error_ = kInputStream;
            return;
        }
        channels_ = channels;
        encoding_ = encoding;
        // The output format must not change in the middle of the stream.
        e_.FormatNone(mh_);
        e_.Format(mh_, rate_, channels_, encoding_);
    }

    int Play(int, int, std::atomic<bool>* ended) override {
        error_ = 0;
        if (!mh_ || mode_ == kPlaying) {
            error_ = kIncorrectMode;
            return 1;
        }
        ended_ = ended;
        return StartThread() ? 0 : 1;
    }

    void Stop() override {
        error_ = 0;
        JoinThread();
        if (outputOpen_) {
            e_.OutStop(ao_);
            e_.OutClose(ao_);
            outputOpen_ = false;
        }
    }

    void Restart() override {
        error_ = 0;
        if (!mh_) {
            error_ = kIncorrectMode;
            return;
        }
        JoinThread();
        e_.Seek(mh_, 0, SEEK_SET);
        StartThread();
    }

    void Close() override {
        Stop();
        if (mh_) {
            e_.Close(mh_);
            e_.Delete(mh_);
            mh_ = nullptr;
        }
        error_ = 0;
    }

    void SetPriority(int) override { error_ = 0; } // an ordinary user cannot raise it
    void SetOutputDevice(int device, const std::string& outFileName) override {
        error_ = 0;
        pcmFile_ = device == 2 ? outFileName : std::string();
    }
    void SetSndDevice(int) override { error_ = 0; }
    int GetPlayerMode() override { return mode_; }
    int GetCurrentPos() override { return position_; }
    int GetLength() override {
        if (!mh_ || rate_ <= 0)
            return 0;
        const off_t samples = e_.Length(mh_);
        return samples > 0 ? static_cast<int>(samples * 1000 / rate_) : 0;
    }
    int LastError() override { return error_; }

private:
    static constexpr int kPlaying = 3;

    bool OpenOutput() {
        if (outputOpen_)
            return true;
        const char* driver = nullptr;
        const char* device = nullptr;
        if (!pcmFile_.empty()) {
            driver = "raw";
            device = pcmFile_.c_str();
        } else {
            driver = driver_.empty() ? nullptr : driver_.c_str();
            device = device_.empty() ? nullptr : device_.c_str();
        }
        if (e_.OutOpen(ao_, driver, device) != 0 ||
            e_.OutStart(ao_, rate_, channels_, encoding_) != 0) {
            e_.OutClose(ao_);
            return false;
        }
        outputOpen_ = true;
        return true;
    }

    bool StartThread() {
        if (!OpenOutput()) {
            error_ = kOutputDevice;
            return false;
        }
        stop_ = false;
        mode_ = kPlaying;
        thread_ = std::thread([this] { Decode(); });
        return true;
    }

    void JoinThread() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        mode_ = 0;
    }

    // The library's own thread: decodes and plays until the end or until stopped.
    void Decode() {
        std::vector<unsigned char> buffer(16384);
        bool finished = false;
        while (!stop_) {
            size_t done = 0;
            const int result = e_.Read(mh_, buffer.data(), buffer.size(), &done);
            if (done > 0)
                e_.OutPlay(ao_, buffer.data(), done);
            position_ = rate_ > 0 ? static_cast<int>(e_.Tell(mh_) * 1000 / rate_) : 0;
            if (result == MPG123_DONE) {
                finished = true;
                break;
            }
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
                // A damaged stream ends where it can no longer be decoded.
                finished = true;
                break;
            }
        }
        if (finished && !stop_)
            e_.OutDrain(ao_);
        mode_ = 0;
        if (finished && ended_)
            ended_->store(true);
    }

    void* decoderLib_;
    void* outputLib_;
    Entries e_;
    std::string driver_;
    std::string device_;
    std::string pcmFile_;
    mpg123_handle* mh_ = nullptr;
    out123_handle* ao_ = nullptr;
    bool outputOpen_ = false;
    long rate_ = 0;
    int channels_ = 0;
    int encoding_ = 0;
    int error_ = 0;
    std::atomic<int> mode_{0};
    std::atomic<int> position_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool>* ended_ = nullptr;
    std::thread thread_;
};

} // namespace

std::unique_ptr<IMPEGLibrary> LoadMpg123Library(const std::string& output) {
    void* decoder = dlopen("libmpg123.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!decoder)
        return nullptr;
    void* out = dlopen("libout123.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!out) {
        dlclose(decoder);
        return nullptr;
    }
    Entries e{};
    const bool ok =
        Resolve(decoder, "mpg123_init", e.Init) && Resolve(decoder, "mpg123_new", e.New) &&
        Resolve(decoder, "mpg123_delete", e.Delete) && Resolve(decoder, "mpg123_param", e.Param) &&
        Resolve(decoder, "mpg123_open", e.Open) && Resolve(decoder, "mpg123_close", e.Close) &&
        Resolve(decoder, "mpg123_getformat", e.GetFormat) &&
        Resolve(decoder, "mpg123_format_none", e.FormatNone) &&
        Resolve(decoder, "mpg123_format", e.Format) && Resolve(decoder, "mpg123_read", e.Read) &&
        Resolve(decoder, "mpg123_seek", e.Seek) && Resolve(decoder, "mpg123_tell", e.Tell) &&
        Resolve(decoder, "mpg123_length", e.Length) && Resolve(out, "out123_new", e.OutNew) &&
        Resolve(out, "out123_del", e.OutDel) && Resolve(out, "out123_param2", e.OutParam) &&
        Resolve(out, "out123_open", e.OutOpen) && Resolve(out, "out123_start", e.OutStart) &&
        Resolve(out, "out123_play", e.OutPlay) && Resolve(out, "out123_drain", e.OutDrain) &&
        Resolve(out, "out123_stop", e.OutStop) && Resolve(out, "out123_close", e.OutClose);
    if (!ok) {
        dlclose(out);
        dlclose(decoder);
        return nullptr;
    }
    std::string chosen = output;
    if (chosen.empty()) {
        const char* env = std::getenv("KELVO_MPEG_OUTPUT");
        chosen = env ? env : "";
    }
    return std::make_unique<TMpg123Library>(decoder, out, e, chosen);
}

} // namespace kelvo
