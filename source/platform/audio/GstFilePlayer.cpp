#include "platform/audio/GstFilePlayer.h"

#include <QMetaObject>
#include <QObject>
#include <cstdlib>
#include <gst/gst.h>
#include <mutex>

namespace kelvo {

namespace {

// playbin's flag bits for video and subtitles: alarms never open a window.
constexpr guint kPlayFlagVideo = 1u << 0;
constexpr guint kPlayFlagText = 1u << 2;

std::string UriFor(const std::string& name) {
    if (name.find("://") != std::string::npos)
        return name;
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(name.c_str(), &error);
    if (!uri) {
        const std::string reason = error ? error->message : "invalid file name";
        g_clear_error(&error);
        throw EAudioError("Cannot play \"" + name + "\"", reason);
    }
    std::string result = uri;
    g_free(uri);
    return result;
}

} // namespace

bool EnsureGStreamer(std::string* reason) {
    static std::once_flag once;
    static bool ok = false;
    static std::string failure;
    std::call_once(once, [] {
        GError* error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (!ok)
            failure = error ? error->message : "GStreamer cannot be initialized";
        g_clear_error(&error);
    });
    if (!ok && reason)
        *reason = failure;
    return ok;
}

std::string AudioSinkDescription() {
    const char* sink = std::getenv("KELVO_AUDIO_SINK");
    return sink && *sink ? sink : "";
}

// Shared with GStreamer's threads: what went wrong while opening, and the way back to the
// thread that owns the player.
struct TGstFilePlayer::Bridge {
    std::mutex Mutex;
    std::string Error;
    std::unique_ptr<QObject> Context = std::make_unique<QObject>();
    TGstFilePlayer* Owner = nullptr;
    unsigned Generation = 0;
};

namespace {

struct Tag {
    std::weak_ptr<TGstFilePlayer::Bridge> Bridge;
    unsigned Generation;
};

GstBusSyncReply OnBusMessage(GstBus*, GstMessage* message, gpointer data) {
    auto* tag = static_cast<Tag*>(data);
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type != GST_MESSAGE_EOS && type != GST_MESSAGE_ERROR)
        return GST_BUS_DROP;
    auto bridge = tag->Bridge.lock();
    if (!bridge)
        return GST_BUS_DROP;
    if (type == GST_MESSAGE_ERROR) {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        std::lock_guard lock(bridge->Mutex);
        if (bridge->Error.empty())
            bridge->Error = error ? error->message : "playing failed";
        g_clear_error(&error);
    }
    const unsigned generation = tag->Generation;
    std::weak_ptr<TGstFilePlayer::Bridge> weak = bridge;
    QMetaObject::invokeMethod(
        bridge->Context.get(),
        [weak, generation] {
            if (auto b = weak.lock(); b && b->Owner)
                b->Owner->StreamEnded(generation);
        },
        Qt::QueuedConnection);
    return GST_BUS_DROP;
}

} // namespace

TGstFilePlayer::TGstFilePlayer(std::string sink)
    : sink_(sink.empty() ? AudioSinkDescription() : std::move(sink)),
      bridge_(std::make_shared<Bridge>()) {
    bridge_->Owner = this;
}

TGstFilePlayer::~TGstFilePlayer() {
    Stop();
    bridge_->Owner = nullptr;
}

bool TGstFilePlayer::Play(const std::string& fileName) {
    Stop();
    std::string reason;
    if (!EnsureGStreamer(&reason))
        throw EAudioError("Sound output is not available", reason);
    const std::string uri = UriFor(fileName);

    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    if (!pipeline)
        throw EAudioError("Sound output is not available", "GStreamer has no playbin");
    guint flags = 0;
    g_object_get(pipeline, "flags", &flags, nullptr);
    g_object_set(pipeline, "flags", flags & ~(kPlayFlagVideo | kPlayFlagText), "uri", uri.c_str(),
                 nullptr);
    if (!sink_.empty()) {
        GError* error = nullptr;
        GstElement* sink = gst_parse_bin_from_description(sink_.c_str(), TRUE, &error);
        if (!sink) {
            const std::string message = error ? error->message : "invalid sink";
            g_clear_error(&error);
            gst_object_unref(pipeline);
            throw EAudioError("The audio output \"" + sink_ + "\" is not valid", message);
        }
        g_clear_error(&error);
        g_object_set(pipeline, "audio-sink", sink, nullptr);
    }

    ++generation_;
    {
        std::lock_guard lock(bridge_->Mutex);
        bridge_->Error.clear();
        bridge_->Generation = generation_;
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, OnBusMessage, new Tag{bridge_, generation_},
                             [](gpointer data) { delete static_cast<Tag*>(data); });
    gst_object_unref(bus);
    pipeline_ = pipeline;

    // Opening (prerolling) tells whether the file can be played at all.
    GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_ASYNC)
        change = gst_element_get_state(pipeline, nullptr, nullptr,
                                       static_cast<GstClockTime>(OpenTimeoutMs) * GST_MSECOND);
    std::string error;
    {
        std::lock_guard lock(bridge_->Mutex);
        error = bridge_->Error;
    }
    if (change == GST_STATE_CHANGE_FAILURE || change == GST_STATE_CHANGE_ASYNC || !error.empty()) {
        Stop();
        throw EAudioError("Cannot play \"" + fileName + "\"",
                          error.empty() ? "opening timed out" : error);
    }
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        Stop();
        return false;
    }
    playing_ = true;
    return true;
}

void TGstFilePlayer::StreamEnded(unsigned generation) {
    if (generation != generation_ || !playing_)
        return;
    playing_ = false;
    if (OnEnd)
        OnEnd();
}

void TGstFilePlayer::Stop() {
    ++generation_;
    {
        std::lock_guard lock(bridge_->Mutex);
        bridge_->Generation = generation_;
    }
    playing_ = false;
    if (pipeline_) {
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        gst_object_unref(pipeline_);
        pipeline_ = nullptr;
    }
}

} // namespace kelvo
