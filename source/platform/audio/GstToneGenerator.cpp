#include "platform/audio/GstToneGenerator.h"

#include "platform/audio/GstFilePlayer.h"

#include <gst/gst.h>

namespace kelvo {

TGstToneGenerator::TGstToneGenerator(std::string sink)
    : sink_(sink.empty() ? AudioSinkDescription() : std::move(sink)) {}

void TGstToneGenerator::Tone(int frequencyHz, int durationMs) {
    lastError_.clear();
    if (durationMs <= 0)
        return;
    if (!EnsureGStreamer(&lastError_))
        return;
    constexpr int rate = 44100;
    const long samples = static_cast<long>(rate) * durationMs / 1000;
    const std::string description =
        "audiotestsrc wave=sine volume=0.4 num-buffers=1 samplesperbuffer=" +
        std::to_string(samples) + " freq=" + std::to_string(frequencyHz) +
        " ! audio/x-raw,rate=" + std::to_string(rate) + ",channels=1 ! audioconvert ! " +
        "audioresample ! " + (sink_.empty() ? std::string("autoaudiosink") : sink_);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (!pipeline || error) {
        lastError_ = error ? error->message : "the tone pipeline cannot be built";
        g_clear_error(&error);
        if (pipeline)
            gst_object_unref(pipeline);
        return;
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        lastError_ = "the sound output cannot be opened";
    } else {
        const GstClockTime limit = (static_cast<GstClockTime>(durationMs) + 3000) * GST_MSECOND;
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, limit, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        if (!message) {
            lastError_ = "the tone did not end in time";
        } else {
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
                GError* failure = nullptr;
                gst_message_parse_error(message, &failure, nullptr);
                lastError_ = failure ? failure->message : "the tone failed";
                g_clear_error(&failure);
            }
            gst_message_unref(message);
        }
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
}

} // namespace kelvo
