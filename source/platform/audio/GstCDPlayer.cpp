#include "platform/audio/GstCDPlayer.h"

#include <filesystem>
#include <gst/gst.h>

namespace kelvo {

TGstCDPlayer::TGstCDPlayer(std::vector<std::string> devices, std::string sink)
    : devices_(std::move(devices)), player_(std::move(sink)) {
    if (devices_.empty())
        devices_ = {"/dev/cdrom", "/dev/sr0", "/dev/sr1", "/dev/sr2", "/dev/sr3"};
    player_.OnEnd = [this] {
        if (OnEnd)
            OnEnd();
    };
}

std::string TGstCDPlayer::Drive() const {
    std::error_code ec;
    for (const std::string& device : devices_)
        if (std::filesystem::exists(device, ec))
            return device;
    return {};
}

bool TGstCDPlayer::HasDrive() {
    return !Drive().empty();
}

int TGstCDPlayer::TrackCount() {
    std::string reason;
    if (!EnsureGStreamer(&reason))
        throw EAudioError("No CD audio", reason);
    GstElement* source = gst_element_make_from_uri(GST_URI_SRC, "cdda://1", nullptr, nullptr);
    if (!source)
        throw EAudioError("No CD audio", "GStreamer has no CD source");
    g_object_set(source, "device", Drive().c_str(), nullptr);
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    gst_bin_add_many(GST_BIN(pipeline), source, sink, nullptr);
    gst_element_link(source, sink);
    int tracks = 0;
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE &&
        gst_element_get_state(pipeline, nullptr, nullptr, 10 * GST_SECOND) ==
            GST_STATE_CHANGE_SUCCESS) {
        gint64 count = 0;
        if (gst_element_query_duration(source, gst_format_get_by_nick("track"), &count))
            tracks = static_cast<int>(count);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    if (tracks < 1)
        throw EAudioError("No audio CD in " + Drive());
    return tracks;
}

bool TGstCDPlayer::PlayTrack(int track) {
    return player_.Play("cdda://" + Drive() + "#" + std::to_string(track));
}

} // namespace kelvo
